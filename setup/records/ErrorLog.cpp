#include "setup/records/ErrorLog.h"

#include "setup/install/base/UninstallLog.h"
#include "setup/records/text/PathText.h"
#include "setup/start/errors/FileException.h"

#include <windows.h>

namespace {

// A file created or truncated for writing; closed on destruction.
class OutputFile {
public:
    explicit OutputFile(const std::string& path)
        : handle_(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~OutputFile() {
        if (isOpen())
            CloseHandle(handle_);
    }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    bool isOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

    bool write(const std::string& bytes) {
        DWORD written = 0;
        return WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                         nullptr) &&
               written == bytes.size();
    }

private:
    HANDLE handle_;
};

} // namespace

ErrorLog::ErrorLog(const std::string& appDir, UninstallLog& uninstallLog)
    : path_(joinPath(appDir, "error.log")), uninstallLog_(uninstallLog) {}

ErrorLog::~ErrorLog() {
    try {
        write();
    } catch (...) {
    }
}

void ErrorLog::add(const std::string& message) {
    messages_.push_back(message);
}

void ErrorLog::write() {
    if (messages_.empty())
        return;
    std::string text;
    for (const std::string& message : messages_)
        text += message + "\r\n";

    OutputFile file(path_);
    if (!file.isOpen() || !file.write(text))
        throw FileException(path_, FileException::DiskFull);

    messages_.clear();
    uninstallLog_.setFileClass(UninstallLog::ApplicationFiles);
    uninstallLog_.addEntry(UninstallLog::InstalledFile, path_);
}
