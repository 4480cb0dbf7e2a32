#include "setup/install/base/Restart.h"

#include "setup/thread/OwnedHandle.h"

#include <windows.h>

#include <atomic>

namespace {
std::atomic<bool> pendingRestart{false};
}

bool restartPending() {
    return pendingRestart.load();
}

void setRestartPending(bool pending) {
    pendingRestart.store(pending);
}

void restartComputer() {
    // Windows 95, 98 and ME have no access tokens: these calls fail there
    // without effect, and the restart below happens all the same.
    HANDLE opened = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &opened)) {
        const OwnedHandle token(opened);
        TOKEN_PRIVILEGES privileges = {};
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        if (LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid))
            AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr);
    }
    ExitWindowsEx(EWX_REBOOT, 0);
}
