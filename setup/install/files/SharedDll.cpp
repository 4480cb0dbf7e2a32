#include "setup/install/files/SharedDll.h"

#include "setup/thread/OwnedHandle.h"
#include "setup/records/helpers/ProgramDirectory.h"
#include "setup/records/helpers/RegistryKey.h"

#include <windows.h>

#include <vector>

namespace {

const char sharedDllsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

} // namespace

std::int32_t incrementSharedCount(const std::string& path) {
    RegistryKey key;
    if (!key.open(HKEY_LOCAL_MACHINE, sharedDllsKey, KEY_QUERY_VALUE | KEY_SET_VALUE))
        return -1;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    // Only a whole 4-byte number is a count: a shorter value of another type
    // would read as garbage.
    const bool readable =
        RegQueryValueExA(key.get(), path.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                         &size) == ERROR_SUCCESS &&
        type == REG_DWORD && size == sizeof value;
    const DWORD count = readable ? value + 1 : 1;
    RegSetValueExA(key.get(), path.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&count),
                   sizeof count);
    return static_cast<std::int32_t>(count);
}

std::string registrationCommand(const std::string& programDirectory, const std::string& path) {
    return "\"" + programDirectory + "\\Regsvr32.exe\" /s \"" + path + "\"";
}

void selfRegister(const std::string& path) {
    const std::string directory = programDirectory();
    if (directory.empty())
        return;
    // CreateProcessA may write into the command line: it gets its own buffer.
    const std::string line = registrationCommand(directory, path);
    std::vector<char> commandLine(line.begin(), line.end());
    commandLine.push_back('\0');

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return;
    const OwnedHandle processHandle(process.hProcess);
    const OwnedHandle threadHandle(process.hThread);
    WaitForSingleObject(processHandle.get(), INFINITE);
}
