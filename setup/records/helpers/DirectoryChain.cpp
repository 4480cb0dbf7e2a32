#include "setup/records/helpers/DirectoryChain.h"

#include "setup/records/helpers/PathExists.h"

namespace {

bool createLevel(const char* level) {
    return CreateDirectoryA(level, nullptr) != FALSE;
}

} // namespace

DWORD createDirectoryChain(const std::string& path, std::string::size_type walkStart,
                           const CreatedLevel& created) {
    if (path.size() > kMaxDirectoryPath)
        return isDirectory(path) ? ERROR_ALREADY_EXISTS : ERROR_FILENAME_EXCED_RANGE;
    if (createLevel(path.c_str())) {
        created(path);
        return NO_ERROR;
    }
    if (walkStart == std::string::npos)
        return GetLastError();

    // Each level is the path cut short at one '\': the copy is ended there for
    // the call and mended after it.
    std::string level = path;
    for (std::string::size_type at = path.find('\\', walkStart);
         at != std::string::npos && at + 1 < path.size(); at = path.find('\\', at + 1)) {
        level[at] = '\0';
        if (createLevel(level.c_str()))
            created(path.substr(0, at));
        level[at] = '\\';
    }
    if (createLevel(path.c_str())) {
        created(path);
        return NO_ERROR;
    }
    return GetLastError();
}
