// A program for the tests that start programs: it records how it was started.
// Built twice, as run_probe.exe for program runs and as Regsvr32.exe for
// self-registration.
//
// It adds four lines to the file named by the environment variable
// START_PROBE_OUTPUT: its own path, its command line, its current directory
// and the show command of its start-up record (-1 when none was given). With
// START_PROBE_SLEEP_MS set it first waits that long, so that a test can tell
// whether its starter waited for it. Without START_PROBE_OUTPUT it does
// nothing.
#include "setup/thread/OwnedHandle.h"

#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

std::string environmentVariable(const char* name) {
    char value[MAX_PATH * 2] = {};
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length < sizeof value ? std::string(value, length) : std::string();
}

std::string readWhole(const std::string& path) {
    const OwnedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string bytes;
    if (!file.isOpen())
        return bytes;
    bytes.resize(GetFileSize(file.get(), nullptr));
    DWORD got = 0;
    if (!bytes.empty())
        ReadFile(file.get(), &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr);
    bytes.resize(got);
    return bytes;
}

} // namespace

int main() {
    const std::string sleep = environmentVariable("START_PROBE_SLEEP_MS");
    if (!sleep.empty())
        Sleep(static_cast<DWORD>(std::atoi(sleep.c_str())));
    const std::string output = environmentVariable("START_PROBE_OUTPUT");
    if (output.empty())
        return 0;

    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof self);
    char directory[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof directory, directory);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
    const std::string record = std::string(self) + "\n" + GetCommandLineA() + "\n" + directory +
                               "\n" + std::to_string(show) + "\n";

    // The file is written whole beside the target and renamed over it, so a
    // reader never sees half a record.
    const std::string text = readWhole(output) + record;
    const std::string partial = output + ".partial";
    {
        const OwnedHandle file(CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr,
                                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        if (!file.isOpen() ||
            !WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written,
                       nullptr) ||
            written != text.size())
            return 1;
    }
    return MoveFileExA(partial.c_str(), output.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 2;
}
