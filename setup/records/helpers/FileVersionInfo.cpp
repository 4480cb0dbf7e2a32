#include "setup/records/helpers/FileVersionInfo.h"

#include <cstring>

namespace {

const DWORD fixedSignature = 0xFEEF04BD;

// A module loaded by LoadLibrary(Ex)A, released on destruction.
class LoadedModule {
public:
    explicit LoadedModule(HMODULE module) : module_(module) {}
    ~LoadedModule() {
        if (module_ != nullptr)
            FreeLibrary(module_);
    }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;
    bool loaded() const { return module_ != nullptr; }

private:
    HMODULE module_;
};

} // namespace

FileVersionInfo::FileVersionInfo(const std::string& path) {
    read(path);
}

void FileVersionInfo::read(const std::string& path) {
    // Only a file the platform can map as an image is examined further; this
    // keeps text files and 16-bit programs out, whatever bytes they carry.
    if (!LoadedModule(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)).loaded())
        return;

    const LoadedModule module(LoadLibraryA(path.c_str()));
    const HMODULE found = GetModuleHandleA(path.c_str());
    if (found == nullptr)
        return;

    char fileName[MAX_PATH];
    const DWORD length = GetModuleFileNameA(found, fileName, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) // a cut name would be another file's
        return;

    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(fileName, &ignored);
    if (size == 0)
        return;
    data_.assign(size, 0);
    if (!GetFileVersionInfoA(fileName, 0, size, data_.data())) {
        data_.clear();
        return;
    }

    void* block = nullptr;
    UINT blockLength = 0;
    if (!VerQueryValueA(data_.data(), "\\", &block, &blockLength) ||
        blockLength < sizeof(VS_FIXEDFILEINFO))
        return;
    std::memcpy(&fixed_, block, sizeof(VS_FIXEDFILEINFO));

    void* translation = nullptr;
    UINT translationLength = 0;
    if (VerQueryValueA(data_.data(), "\\VarFileInfo\\Translation", &translation,
                       &translationLength) &&
        translationLength >= sizeof(DWORD)) {
        DWORD entry = 0;
        std::memcpy(&entry, translation, sizeof(DWORD));
        language_ = LOWORD(entry);
        codePage_ = HIWORD(entry);
    }

    valid_ = fixed_.dwSignature == fixedSignature;
}
