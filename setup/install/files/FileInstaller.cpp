#include "setup/install/files/FileInstaller.h"

#include "setup/install/base/UninstallLog.h"
#include "setup/install/base/SharedDll.h"
#include "setup/install/text/FileRecord.h"
#include "setup/records/helpers/DirectoryChain.h"
#include "setup/records/helpers/FileVersionInfo.h"
#include "setup/records/helpers/PathExists.h"
#include "setup/records/helpers/StatusText.h"
#include "setup/records/text/PathText.h"
#include "setup/start/errors/FileException.h"
#include "setup/thread/OwnedHandle.h"

#include <cstdint>

// A temporary file that is deleted when it goes out of scope, unless it has
// been handed to replacement at restart.
class TemporaryFile {
public:
    TemporaryFile() : path_(ZipReader::makeTempFile()) {}
    ~TemporaryFile() {
        if (!path_.empty() && !kept_)
            DeleteFileA(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::string& path() const { return path_; }
    void keep() { kept_ = true; }

private:
    std::string path_;
    bool kept_ = false;
};

namespace {

// The file's last-write time, read with others free to read and write it.
bool lastWriteTime(const std::string& path, FILETIME& time) {
    const OwnedHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    FILETIME creation, lastAccess;
    return file.isOpen() && GetFileTime(file.get(), &creation, &lastAccess, &time);
}

std::uint64_t fileVersion(const FileVersionInfo& info) {
    return (static_cast<std::uint64_t>(info.fixed().dwFileVersionMS) << 32) |
           info.fixed().dwFileVersionLS;
}

bool comparesVersions(int mode) {
    return mode == FileRecord::VersionNotOlder || mode == FileRecord::VersionNewer ||
           mode == FileRecord::VersionOrTimeNotOlder || mode == FileRecord::VersionOrTimeNewer;
}

bool comparesTimes(int mode) {
    return mode == FileRecord::TimeNotOlder || mode == FileRecord::TimeNewer ||
           mode == FileRecord::VersionOrTimeNotOlder || mode == FileRecord::VersionOrTimeNewer;
}

// Whether an equal version or time is enough; otherwise a newer one is wanted.
bool acceptsEqual(int mode) {
    return mode == FileRecord::VersionNotOlder || mode == FileRecord::TimeNotOlder ||
           mode == FileRecord::VersionOrTimeNotOlder;
}

} // namespace

FileInstaller::FileInstaller(UninstallLog& log, HWND statusText, HWND itemBar,
                             SetupContext& context, InUseQuestion* question,
                             const std::string& archiveName)
    : log_(log), statusText_(statusText), archive_(itemBar), copier_(context, question) {
    if (!archive_.open(archiveName))
        throw FileException(archiveName, FileException::NotFound);
}

bool FileInstaller::process(const std::string& record) {
    FileRecord file;
    if (!parseFileRecord(record, file))
        return false;
    showStatus(statusText_, file.destination.c_str());

    // Of the levels the walk creates only the directory itself is recorded.
    const std::string directory = withoutTrailingBackslash(splitPath(file.destination).directory);
    const DWORD result =
        createDirectoryChain(directory, directoryWalkStart(directory), [](const std::string&) {});
    if (result == NO_ERROR)
        log_.addEntry(UninstallLog::CreatedFolder, directory);
    else if (result != ERROR_ALREADY_EXISTS)
        return false;

    pending_ = false;
    bool installed;
    if (!exists(file.destination))
        installed = installDirect(file.member, file.destination);
    else if (file.mode == FileRecord::Always)
        installed = installReplacing(file.member, file.destination, file.flags);
    else if (comparesVersions(file.mode) || comparesTimes(file.mode))
        installed = installConditional(file.member, file.destination, file.flags, file.mode);
    else
        installed = true; // any other mode keeps the existing file
    if (!installed)
        return false;

    const bool logged = !(file.flags & FileRecord::NotLogged);
    if (logged)
        log_.addEntry(UninstallLog::InstalledFile, file.destination);
    if (file.flags & FileRecord::CountSharedDll)
        incrementSharedCount(file.destination);
    if ((file.flags & FileRecord::SelfRegister) && !pending_) {
        selfRegister(file.destination);
        if (logged)
            log_.addEntry(UninstallLog::RegisteredDll, file.destination);
    }
    if (file.flags & FileRecord::SetAttributes)
        SetFileAttributesA(file.destination.c_str(), static_cast<DWORD>(file.attributes));
    return true;
}

bool FileInstaller::installDirect(const std::string& member, const std::string& destination) {
    if (archive_.extract(member, destination))
        return true;
    // The destination was absent: whatever is there now is a partial or
    // corrupt copy of the member, and must not pass for an installed file.
    DeleteFileA(destination.c_str());
    return false;
}

bool FileInstaller::installReplacing(const std::string& member, const std::string& destination,
                                     int flags) {
    TemporaryFile temporary;
    if (temporary.path().empty() || !archive_.extract(member, temporary.path()))
        return false;
    copyIntoPlace(temporary, destination, flags);
    return true;
}

bool FileInstaller::installConditional(const std::string& member, const std::string& destination,
                                       int flags, int mode) {
    TemporaryFile temporary;
    if (temporary.path().empty() || !archive_.extract(member, temporary.path()))
        return false;
    if (memberWins(temporary.path(), destination, mode))
        copyIntoPlace(temporary, destination, flags);
    return true;
}

bool FileInstaller::memberWins(const std::string& temporary, const std::string& destination,
                               int mode) {
    if (comparesVersions(mode)) {
        const FileVersionInfo installed(destination);
        const FileVersionInfo offered(temporary);
        if (installed.valid() && offered.valid()) {
            const std::uint64_t have = fileVersion(installed);
            const std::uint64_t get = fileVersion(offered);
            if (acceptsEqual(mode) ? get >= have : get > have)
                return true;
        }
    }
    if (comparesTimes(mode)) {
        FILETIME installed, offered;
        if (lastWriteTime(destination, installed) && lastWriteTime(temporary, offered)) {
            const LONG order = CompareFileTime(&offered, &installed);
            return acceptsEqual(mode) ? order >= 0 : order > 0;
        }
    }
    return false;
}

void FileInstaller::copyIntoPlace(TemporaryFile& temporary, const std::string& destination,
                                  int flags) {
    if (copier_.copy(temporary.path(), destination, flags))
        return;
    pending_ = true;
    if (copier_.sourceStillNeeded())
        temporary.keep();
}

bool FileInstaller::createFolders(const std::string& record) {
    const std::string path = folderRecordPath(record);
    // Every level the walk creates is recorded, so that the uninstaller
    // removes it.
    createDirectoryChain(path, directoryWalkStart(path), [this](const std::string& level) {
        log_.addEntry(UninstallLog::CreatedFolder, level);
    });
    return isDirectory(path);
}
