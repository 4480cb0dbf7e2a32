#pragma once

// What the wizard's tests share: the probe program that stands in for the
// programs setup starts, and runs of the real setup.exe.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace wizard_tests {

// Copies the probe program to `path` (an uninstaller, an application, ...).
void installProbe(const std::string& path);

// What a probe at `path` recorded when it ran: its command line and its
// current folder; nothing when it has not run.
struct ProbeRun {
    std::string commandLine;
    std::string directory;
};
std::optional<ProbeRun> probeRun(const std::string& path);

// Waits until the file exists; false on time-out.
bool waitForFile(const std::string& path, DWORD timeoutMs = 10000);

// setup.exe copied into a package folder and started there, the folder being
// its current folder too. Killed if it still runs when the object goes.
class SetupRun {
public:
    SetupRun(const std::string& packageFolder, const std::vector<std::string>& arguments = {});
    ~SetupRun();
    SetupRun(const SetupRun&) = delete;
    SetupRun& operator=(const SetupRun&) = delete;

    bool started() const { return process_ != nullptr; }
    // The full exit code, or nothing when the process has not ended in time.
    std::optional<DWORD> exitCode(DWORD timeoutMs = 20000);

private:
    HANDLE process_ = nullptr;
};

} // namespace wizard_tests
