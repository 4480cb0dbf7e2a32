#include "setup/install/base/SharedDll.h"

#include "setup/thread/OwnedHandle.h"
#include "setup/records/helpers/ProgramDirectory.h"
#include "setup/records/helpers/RegistryKey.h"

#include <windows.h>

#include <vector>

namespace {

const char sharedDllsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

// Only a whole 4-byte number is a count: a shorter value of another type
// would read as garbage.
bool readCount(HKEY key, const std::string& path, DWORD& count) {
    DWORD type = 0;
    DWORD size = sizeof count;
    return RegQueryValueExA(key, path.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&count),
                            &size) == ERROR_SUCCESS &&
           type == REG_DWORD && size == sizeof count;
}

void writeCount(HKEY key, const std::string& path, DWORD count) {
    RegSetValueExA(key, path.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&count),
                   sizeof count);
}

// Starts the command line with a hidden window and waits for it to end.
void runHidden(const std::string& line) {
    // CreateProcessA may write into the command line: it gets its own buffer.
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

} // namespace

std::int32_t incrementSharedCount(const std::string& path) {
    RegistryKey key;
    if (!key.open(HKEY_LOCAL_MACHINE, sharedDllsKey, KEY_QUERY_VALUE | KEY_SET_VALUE))
        return -1;
    DWORD value = 0;
    const DWORD count = readCount(key.get(), path, value) ? value + 1 : 1;
    writeCount(key.get(), path, count);
    return static_cast<std::int32_t>(count);
}

std::int32_t sharedCount(const std::string& path) {
    RegistryKey key;
    DWORD value = 0;
    if (!key.open(HKEY_LOCAL_MACHINE, sharedDllsKey, KEY_QUERY_VALUE) ||
        !readCount(key.get(), path, value))
        return -1;
    return static_cast<std::int32_t>(value);
}

std::int32_t decrementSharedCount(const std::string& path) {
    RegistryKey key;
    DWORD value = 0;
    if (!key.open(HKEY_LOCAL_MACHINE, sharedDllsKey, KEY_QUERY_VALUE | KEY_SET_VALUE) ||
        !readCount(key.get(), path, value))
        return -1;
    if (value <= 1) {
        RegDeleteValueA(key.get(), path.c_str());
        return 0;
    }
    writeCount(key.get(), path, value - 1);
    return static_cast<std::int32_t>(value - 1);
}

std::string registrationCommand(const std::string& program, const std::string& path,
                                bool unregister) {
    return "\"" + program + "\" /s " + (unregister ? "/u " : "") + "\"" + path + "\"";
}

void selfRegister(const std::string& path) {
    const std::string directory = programDirectory();
    if (directory.empty())
        return;
    runHidden(registrationCommand(directory + "\\Regsvr32.exe", path));
}

void selfUnregister(const std::string& program, const std::string& path) {
    runHidden(registrationCommand(program, path, true));
}
