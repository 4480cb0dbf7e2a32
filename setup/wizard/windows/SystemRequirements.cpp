#include "setup/wizard/windows/SystemRequirements.h"

#include "setup/config/SetupContext.h"
#include "setup/config/WindowsVersion.h"
#include "setup/install/WizardCommands.h"

namespace {

// One system a package can exclude, in the order the check goes through them.
struct NamedSystem {
    bool (WindowsVersion::*isRunning)() const;
    const char* flag;
    const char* displayName;
};

const NamedSystem kSystems[] = {
    {&WindowsVersion::isWin95, "SysReqWindows95", "Windows 95"},
    {&WindowsVersion::isWin98, "SysReqWindows98", "Windows 98"},
    {&WindowsVersion::isWinME, "SysReqWindowsME", "Windows ME"},
    {&WindowsVersion::isNT4, "SysReqWindowsNT4", "Windows NT4"},
    {&WindowsVersion::isWin2000, "SysReqWindows2000", "Windows 2000"},
    {&WindowsVersion::isWinXP, "SysReqWindowsXP", "Windows XP"},
};

// String numbers of the language file.
constexpr int kCaption = 1;
constexpr int kRefusedText = 21;
constexpr int kWarningText = 22;

} // namespace

bool checkSystemRequirements(SetupContext& context, HWND setupWindow) {
    const WindowsVersion version;
    const bool abortInstallation = context.getFlagVariable("SysReqAbortInstallation");

    for (const NamedSystem& system : kSystems) {
        if (!(version.*system.isRunning)() || context.getFlagVariable(system.flag))
            continue;
        const std::string caption = context.languageString(kCaption);
        if (abortInstallation) {
            const std::string text = context.formatLanguageString(kRefusedText, system.displayName);
            MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_ICONERROR);
            SendMessageA(setupWindow, WZ_EXIT, 0, 0);
            return false;
        }
        const std::string text = context.formatLanguageString(kWarningText, system.displayName);
        MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_ICONWARNING);
    }
    return true;
}
