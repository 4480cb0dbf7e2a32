#include "setup/records/helpers/StatusText.h"

void showStatus(HWND statusText, const char* text) {
    if (statusText != nullptr)
        SendMessageA(statusText, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}
