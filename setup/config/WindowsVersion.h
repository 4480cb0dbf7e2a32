#pragma once

#include <windows.h>

// A snapshot of the running system's version, taken at construction: the long
// version record where the system knows it, the short one otherwise.
class WindowsVersion {
public:
    // Throws WinException "Couldn't check Windows version" when the system
    // answers neither form of the query.
    WindowsVersion();

    const OSVERSIONINFOEXA& info() const { return info_; }

    bool isNT() const { return info_.dwPlatformId == VER_PLATFORM_WIN32_NT; }
    bool is9x() const { return info_.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS; }
    bool isWin95() const { return is9x() && is(4, 0); }
    bool isWin98() const { return is9x() && is(4, 10); }
    bool isWinME() const { return is9x() && is(4, 90); }
    bool isNT4() const { return isNT() && info_.dwMajorVersion <= 4; }
    bool isWin2000() const { return isNT() && is(5, 0); }
    bool isWinXP() const { return isNT() && is(5, 1); }

private:
    bool is(DWORD major, DWORD minor) const {
        return info_.dwMajorVersion == major && info_.dwMinorVersion == minor;
    }

    OSVERSIONINFOEXA info_;
};
