// The system requirements check in a probe process that Wine starts as the
// Windows version under test; the message boxes are the real ones, found by
// their caption and answered with OK.
#include "tests/config/PackageFolder.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/Registry.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

using config_tests::PackageFolder;
using testing_support::clickButton;
using testing_support::programDirectory;
using testing_support::staticTexts;
using testing_support::waitForWindow;
using testing_support::WindowsVersionFor;

namespace {

// Exit codes of requirements_probe.
constexpr DWORD kGoesOn = 1;
constexpr DWORD kExitSent = 2;

// The running probe; killed if it is still there when the object goes.
class ProbeProcess {
public:
    explicit ProbeProcess(const std::string& packageFolder) {
        std::string commandLine =
            "\"" + programDirectory() + "\\requirements_probe.exe\" \"" + packageFolder + "\"";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info = {};
        if (CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                           &startup, &info)) {
            CloseHandle(info.hThread);
            process_ = info.hProcess;
        }
    }
    ~ProbeProcess() {
        if (!process_)
            return;
        if (WaitForSingleObject(process_, 0) != WAIT_OBJECT_0)
            TerminateProcess(process_, 254);
        CloseHandle(process_);
    }
    ProbeProcess(const ProbeProcess&) = delete;
    ProbeProcess& operator=(const ProbeProcess&) = delete;

    bool started() const { return process_ != nullptr; }
    // The exit code, or -1 when the probe has not ended within the time.
    long waitForExit(DWORD timeoutMs = 20000) const {
        DWORD code = 0;
        if (WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0 ||
            !GetExitCodeProcess(process_, &code))
            return -1;
        return static_cast<long>(code);
    }

private:
    HANDLE process_ = nullptr;
};

struct RequirementsCase {
    const char* name;
    const char* windowsVersion; // AppDefaults value; null for Wine's default (6.1)
    const char* requirements;   // lines of [SYSTEM_REQUIREMENTS]
    const char* refusedText;    // string 21
    const char* boxText;        // the one box's text; null when no box may appear
    long exitCode;
};

// Lays out the package, runs the probe, answers the box it expects and
// returns the probe's exit code. A second box, or one where none is expected,
// keeps the probe from ending and shows as a time-out (-1).
long runCheck(const RequirementsCase& c) {
    PackageFolder package(std::string("requirements_") + c.name);
    const std::string caption = std::string("Requirements ") + c.name;
    package.write("Setup.ini",
                  std::string("[SETUP_INFO]\n[SYSTEM_REQUIREMENTS]\n") + c.requirements);
    package.write("English.dat", "[STRINGS]\n1=" + caption + "\n21=" + c.refusedText +
                                     "\n22=%1 is not supported; continue anyway?\n");
    package.write("setup.zip", "");

    const WindowsVersionFor version("requirements_probe.exe", c.windowsVersion);
    const ProbeProcess probe(package.path());
    if (!probe.started()) {
        ADD_FAILURE() << c.name << ": the probe did not start";
        return -2;
    }
    if (c.boxText) {
        const HWND box = waitForWindow("#32770", caption.c_str());
        if (!box) {
            ADD_FAILURE() << c.name << ": no message box";
            return -3;
        }
        EXPECT_EQ(staticTexts(box), std::vector<std::string>{c.boxText}) << c.name;
        clickButton(box, IDOK);
    }
    return probe.waitForExit();
}

TEST(SystemRequirements, ExcludedSystemIsNamedInOneBox) {
    const RequirementsCase cases[] = {
        {"win98_warned", "win98", "Windows98=No\nAbortInstallation=No\n", "%1 is refused",
         "Windows 98 is not supported; continue anyway?", kGoesOn},
        {"win98_refused", "win98", "AbortInstallation=Yes\n", "%1 is refused",
         "Windows 98 is refused", kExitSent},
        {"xp_refused", "winxp", "Windows98=Yes\nAbortInstallation=1\n", "%1 is refused",
         "Windows XP is refused", kExitSent},
        {"nt4_warned", "nt40", "WindowsXP=Yes\n", "%1 is refused",
         "Windows NT4 is not supported; continue anyway?", kGoesOn},
        {"only_first_placeholder", "win95", "AbortInstallation=yes\n", "%1 needs more than %1",
         "Windows 95 needs more than %1", kExitSent},
    };
    for (const RequirementsCase& c : cases)
        EXPECT_EQ(runCheck(c), c.exitCode) << c.name;
}

TEST(SystemRequirements, SupportedOrUnnamedSystemPassesWithoutBox) {
    const RequirementsCase cases[] = {
        {"win98_supported", "win98", "Windows98=Yes\nAbortInstallation=Yes\n", "%1 is refused",
         nullptr, kGoesOn},
        {"default_every_flag_false", nullptr,
         "Windows95=No\nWindows98=No\nWindowsME=No\nWindowsNT4=No\nWindows2000=No\n"
         "WindowsXP=No\nAbortInstallation=Yes\n",
         "%1 is refused", nullptr, kGoesOn},
    };
    for (const RequirementsCase& c : cases)
        EXPECT_EQ(runCheck(c), c.exitCode) << c.name;
}

} // namespace
