#include "setup/install/files/LockedFileCopier.h"

#include "setup/config/SetupContext.h"
#include "setup/config/WindowsVersion.h"
#include "setup/install/text/FileRecord.h"
#include "setup/install/files/InUseQuestion.h"
#include "setup/records/helpers/PathExists.h"
#include "setup/thread/OwnedHandle.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

const char renameHeader[] = "[Rename]\r\n";
const DWORD renameHeaderLength = sizeof renameHeader - 1;
const int lastSideNumber = 998;

// A view of a file mapping, unmapped on destruction.
class MappedView {
public:
    explicit MappedView(void* view) : view_(static_cast<char*>(view)) {}
    ~MappedView() {
        if (view_ != nullptr)
            UnmapViewOfFile(view_);
    }
    MappedView(const MappedView&) = delete;
    MappedView& operator=(const MappedView&) = delete;
    char* get() const { return view_; }

private:
    char* view_;
};

bool setFileSize(HANDLE file, DWORD size) {
    return SetFilePointer(file, static_cast<LONG>(size), nullptr, FILE_BEGIN) !=
               INVALID_SET_FILE_POINTER &&
           SetEndOfFile(file);
}

} // namespace

std::string findSideName(const std::string& path) {
    for (int i = 1; i <= lastSideNumber; ++i) {
        char number[8];
        std::snprintf(number, sizeof number, "%03d", i);
        const std::string candidate = path + number;
        if (!exists(candidate))
            return candidate;
    }
    return std::string();
}

bool addWinInitRename(const std::string& winInitPath, const std::string& destination,
                      const std::string& source) {
    const std::string entry = (destination.empty() ? "NUL" : destination) + "=" + source + "\r\n";

    const OwnedHandle file(CreateFileA(winInitPath.c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                       nullptr, OPEN_ALWAYS,
                                       FILE_FLAG_SEQUENTIAL_SCAN | FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.isOpen())
        return false;
    DWORD high = 0;
    const DWORD oldSize = GetFileSize(file.get(), &high);
    // Room for the entry, the header, and a line end should the last line
    // lack one; a file near 4 GB is not a WinInit.Ini worth touching.
    const DWORD room = static_cast<DWORD>(entry.size()) + renameHeaderLength + 2;
    if (oldSize == INVALID_FILE_SIZE || high != 0 || oldSize > MAXDWORD - room)
        return false;

    DWORD newSize = oldSize;
    {
        // Mapping beyond the end lengthens the file; the new bytes read zero.
        OwnedHandle mapping(
            CreateFileMappingA(file.get(), nullptr, PAGE_READWRITE, 0, oldSize + room, nullptr));
        if (!mapping.isOpen()) {
            setFileSize(file.get(), oldSize);
            return false;
        }
        const MappedView view(MapViewOfFile(mapping.get(), FILE_MAP_WRITE, 0, 0, 0));
        if (view.get() == nullptr) {
            // The mapping may already have lengthened the file; a mapped file
            // cannot be cut, so the mapping goes first.
            mapping.close();
            setFileSize(file.get(), oldSize);
            return false;
        }
        char* const text = view.get();
        char* const end = text + oldSize;
        char* const header =
            std::search(text, end, renameHeader, renameHeader + renameHeaderLength);
        if (header != end) {
            // New entries go first: right after the header line.
            char* const insertAt = header + renameHeaderLength;
            std::memmove(insertAt + entry.size(), insertAt,
                         static_cast<std::size_t>(end - insertAt));
            std::memcpy(insertAt, entry.data(), entry.size());
            newSize += static_cast<DWORD>(entry.size());
        } else {
            std::string appended;
            // Without this the header would join the file's unfinished last
            // line and not be a header at all.
            if (oldSize > 0 && end[-1] != '\n')
                appended = "\r\n";
            appended += renameHeader;
            appended += entry;
            std::memcpy(end, appended.data(), appended.size());
            newSize += static_cast<DWORD>(appended.size());
        }
    }
    // The entry is in the file now, so the rename is scheduled: a failed trim
    // only leaves zero bytes after the last line, and the new file must stay.
    setFileSize(file.get(), newSize);
    return true;
}

bool LockedFileCopier::copy(const std::string& source, const std::string& destination, int flags) {
    sourceStillNeeded_ = false;
    for (;;) {
        if (CopyFileA(source.c_str(), destination.c_str(), FALSE))
            return true;
        if (!(flags & FileRecord::AskWhenInUse) || question_ == nullptr)
            break;
        context_.setVariable("InUseFilePathname", destination);
        const InUseQuestion::Answer answer = question_->ask(destination);
        if (answer == InUseQuestion::Retry)
            continue;
        if (answer == InUseQuestion::Abort) {
            context_.setAbortRequested(true);
            return false;
        }
        break;
    }

    const WindowsVersion version;
    if (version.isNT()) {
        restartNeeded_ = true;
        sourceStillNeeded_ = replaceOnNT(source, destination);
    } else if (version.is9x()) {
        restartNeeded_ = true;
        sourceStillNeeded_ = replaceThroughWinInit(source, destination);
    }
    return false;
}

bool LockedFileCopier::replaceOnNT(const std::string& source, const std::string& destination) {
    // Best: move the file in use aside (a running program keeps its handle),
    // put the new file in place now, and delete the old one at restart.
    const std::string sideName = findSideName(destination);
    if (!sideName.empty() &&
        MoveFileExA(destination.c_str(), sideName.c_str(), MOVEFILE_COPY_ALLOWED)) {
        if (CopyFileA(source.c_str(), destination.c_str(), TRUE)) {
            if (MoveFileExA(sideName.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT))
                return false;
        } else {
            // Without the new file the destination would be missing until the
            // restart: put the old one back.
            MoveFileExA(sideName.c_str(), destination.c_str(), 0);
        }
    }
    // Otherwise the system moves the new file over the old one at restart.
    return MoveFileExA(source.c_str(), destination.c_str(),
                       MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_REPLACE_EXISTING) != FALSE;
}

bool LockedFileCopier::replaceThroughWinInit(const std::string& source,
                                             const std::string& destination) {
    char directory[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryA(directory, sizeof directory);
    if (length == 0 || length >= sizeof directory)
        return false;
    return addWinInitRename(withoutTrailingBackslash(directory) + "\\WinInit.Ini", destination,
                            source);
}
