#include "setup/install/base/ReplaceAtRestart.h"

#include "setup/install/text/FileRecord.h"
#include "setup/records/helpers/PathExists.h"
#include "setup/records/text/PathText.h"
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

std::string winInitPath() {
    char directory[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryA(directory, sizeof directory);
    if (length == 0 || length >= sizeof directory)
        return std::string();
    return withoutTrailingBackslash(directory) + "\\WinInit.Ini";
}

bool deleteAtRestart(const std::string& path, RestartMechanism mechanism) {
    switch (mechanism) {
    case RestartMechanism::PendingOperations:
        return MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != FALSE;
    case RestartMechanism::WinInitIni: {
        // New entries go first in [Rename]; the system works the section from
        // the top, so a folder would come before the files in it. Windows 9x
        // removes no folders at start-up anyway: only files are entered.
        if (isDirectory(path))
            return false;
        const std::string file = winInitPath();
        return !file.empty() && addWinInitRename(file, "", path);
    }
    case RestartMechanism::None:
        break;
    }
    return false;
}
