#include "setup/records/helpers/ProgramDirectory.h"

#include "setup/records/text/PathText.h"

#include <windows.h>

std::string programDirectory() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path - 1)
        return std::string();
    return splitPath(std::string(path, length)).directory;
}
