// Stands in for Regsvr32.exe in the tests of self-registration. It appends
// three lines to the file named by REGISTRATION_PROBE_OUTPUT: its own path, its
// command line and the show command of its start-up record. With
// REGISTRATION_PROBE_SLEEP_MS set it first waits that long, so that a test can
// tell whether its starter waited for it.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main() {
    char value[64] = {};
    if (GetEnvironmentVariableA("REGISTRATION_PROBE_SLEEP_MS", value, sizeof value) > 0)
        Sleep(static_cast<DWORD>(std::atoi(value)));

    char output[MAX_PATH] = {};
    if (GetEnvironmentVariableA("REGISTRATION_PROBE_OUTPUT", output, sizeof output) == 0)
        return 0;
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof self);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;

    std::FILE* file = std::fopen(output, "ab");
    if (file == nullptr)
        return 1;
    std::fprintf(file, "%s\n%s\n%d\n", self, GetCommandLineA(), show);
    std::fclose(file);
    return 0;
}
