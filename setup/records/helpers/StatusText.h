#pragma once

#include <windows.h>

// Shows `text` on a status line, a control of the interface thread such as the
// progress page's. The message is sent, so the call returns once the control
// shows the text. A null control shows nothing.
void showStatus(HWND statusText, const char* text);
