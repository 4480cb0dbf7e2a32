#include "setup/wizard/framework/Desktop.h"

void centreOnDesktop(HWND window) {
    RECT desktop;
    RECT own;
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(window, &own);
    const int x = desktop.left + ((desktop.right - desktop.left) - (own.right - own.left)) / 2;
    const int y = desktop.top + ((desktop.bottom - desktop.top) - (own.bottom - own.top)) / 2;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
