// A program for the tests of program runs. It writes what it was started with
// to the file named by the environment variable RUN_PROBE_OUTPUT, one item a
// line: its command line, its current directory and the show command of its
// start-up record. With RUN_PROBE_SLEEP_MS set it first waits that long, so
// that a test can tell whether its starter waited for it.
#include <windows.h>

#include <cstdlib>
#include <string>

int main() {
    char value[512] = {};
    if (GetEnvironmentVariableA("RUN_PROBE_SLEEP_MS", value, sizeof value) > 0)
        Sleep(static_cast<DWORD>(std::atoi(value)));

    char output[MAX_PATH] = {};
    if (GetEnvironmentVariableA("RUN_PROBE_OUTPUT", output, sizeof output) == 0)
        return 1;

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    char directory[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof directory, directory);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
    const std::string text = std::string(GetCommandLineA()) + "\n" + directory + "\n" +
                             std::to_string(show) + "\n";

    // Written beside the target and renamed, so a reader never sees half a record.
    const std::string partial = std::string(output) + ".partial";
    HANDLE file = CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 2;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    MoveFileExA(partial.c_str(), output, MOVEFILE_REPLACE_EXISTING);
    return 0;
}
