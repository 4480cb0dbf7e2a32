#include "setup/config/WindowsVersion.h"

#include "setup/start/errors/WinException.h"

WindowsVersion::WindowsVersion() : info_() {
    info_.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
    if (GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info_)))
        return;
    info_ = OSVERSIONINFOEXA();
    info_.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info_)))
        throw WinException("Couldn't check Windows version");
}
