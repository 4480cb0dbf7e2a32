#include "setup/records/helpers/ProgramDirectory.h"

#include "setup/records/text/PathText.h"

#include <windows.h>

std::string programPath() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path - 1)
        return std::string();
    return std::string(path, length);
}

std::string programDirectory() {
    const std::string path = programPath();
    return path.empty() ? path : splitPath(path).directory;
}

std::string temporaryFileName(const char* prefix) {
    char directory[MAX_PATH] = {};
    const DWORD length = GetTempPathA(sizeof directory, directory);
    if (length == 0 || length >= sizeof directory)
        return std::string();
    char path[MAX_PATH] = {};
    if (GetTempFileNameA(directory, prefix, 0, path) == 0)
        return std::string();
    return path;
}
