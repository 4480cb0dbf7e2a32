#pragma once

#include <windows.h>

#include <string>

namespace config_tests {

// Owns a file or search handle of the tests; closes it on destruction.
class ScopedHandle {
public:
    ScopedHandle(HANDLE handle, BOOL(WINAPI* close)(HANDLE)) : handle_(handle), close_(close) {}
    ~ScopedHandle() {
        if (isOpen())
            close_(handle_);
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    bool isOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
    BOOL(WINAPI* close_)(HANDLE);
};

// A fresh, empty folder under the temporary folder, named after the test and
// the process so that tests running side by side never share one. Its files
// are removed on destruction.
class TestFolder {
public:
    explicit TestFolder(const std::string& name) {
        char temp[MAX_PATH + 1] = {};
        GetTempPathA(sizeof temp, temp);
        path_ = std::string(temp) + "config_" + name + "_" + std::to_string(GetCurrentProcessId());
        removeFiles();
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~TestFolder() {
        removeFiles();
        RemoveDirectoryA(path_.c_str());
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "\\" + name; }

private:
    void removeFiles() {
        WIN32_FIND_DATAA found;
        const ScopedHandle search(FindFirstFileA((path_ + "\\*").c_str(), &found), FindClose);
        if (!search.isOpen())
            return;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA(file(found.cFileName).c_str());
        } while (FindNextFileA(search.get(), &found));
    }

    std::string path_;
};

// Writes the bytes as the whole file; false on failure.
inline bool writeFile(const std::string& path, const std::string& bytes) {
    const ScopedHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr),
                            CloseHandle);
    DWORD written = 0;
    return file.isOpen() &&
           WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
           written == bytes.size();
}

// The whole file; "<missing>" when it cannot be opened.
inline std::string readFile(const std::string& path) {
    const ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr),
                            CloseHandle);
    if (!file.isOpen())
        return "<missing>";
    std::string bytes(GetFileSize(file.get(), nullptr), '\0');
    DWORD got = 0;
    if (!bytes.empty())
        ReadFile(file.get(), &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr);
    bytes.resize(got);
    return bytes;
}

inline bool fileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace config_tests
