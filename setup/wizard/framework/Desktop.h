#pragma once

#include <windows.h>

// Moves the window so that its centre is the desktop's centre, without
// changing its size, z-order or activation. A window larger than the desktop
// gets negative coordinates.
void centreOnDesktop(HWND window);
