#include "uninstall/FileRemover.h"

#include "setup/records/helpers/PathExists.h"

#include <windows.h>

namespace {

// Owns a directory search; closes it on destruction.
class FindHandle {
public:
    FindHandle(const std::string& pattern, WIN32_FIND_DATAA& data)
        : handle_(FindFirstFileA(pattern.c_str(), &data)) {}
    ~FindHandle() {
        if (isOpen())
            FindClose(handle_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    bool isOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

} // namespace

void FileRemover::removeFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        // The log named a file, and a folder has its name now: not ours.
        report_.itemsLeft.push_back(path);
        return;
    }
    if (attributes & FILE_ATTRIBUTE_READONLY)
        SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    if (DeleteFileA(path.c_str()) || !exists(path))
        return;
    scheduleOrReport(path);
}

FileRemover::FolderResult FileRemover::removeFolder(const std::string& path,
                                                    const PathSet& afterProgram,
                                                    const PathSet& keptOnPurpose) {
    if (!isDirectory(path))
        return FolderResult::Gone;
    if (RemoveDirectoryA(path.c_str()) || !exists(path))
        return FolderResult::Gone;

    bool waitsForProgram = false;
    bool holdsKept = false;
    WIN32_FIND_DATAA data;
    FindHandle search(path + "\\*", data);
    if (!search.isOpen()) {
        report_.itemsLeft.push_back(path);
        return FolderResult::Left;
    }
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..")
            continue;
        const std::string entry = path + "\\" + name;
        if (afterProgram.count(entry) != 0) {
            waitsForProgram = true;
        } else if (keptOnPurpose.count(entry) != 0) {
            holdsKept = true;
        } else if (scheduled_.count(entry) == 0) {
            report_.itemsLeft.push_back(path);
            return FolderResult::Left;
        }
    } while (FindNextFileA(search.get(), &data));

    if (holdsKept)
        return FolderResult::Kept;
    if (waitsForProgram)
        return FolderResult::AfterProgram;
    scheduleOrReport(path);
    return scheduled_.count(path) != 0 ? FolderResult::AtRestart : FolderResult::Left;
}

void FileRemover::scheduleOrReport(const std::string& path) {
    if (deleteAtRestart(path, mechanism_)) {
        scheduled_.insert(path);
        report_.restartNeeded = true;
    } else {
        report_.itemsLeft.push_back(path);
    }
}
