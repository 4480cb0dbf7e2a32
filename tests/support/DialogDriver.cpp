#include "tests/support/DialogDriver.h"

namespace testing_support {

HWND waitForWindow(const char* className, const char* caption, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        HWND window = FindWindowA(className, caption);
        if (window != nullptr && IsWindowVisible(window))
            return window;
        if (GetTickCount() - start > timeoutMs)
            return nullptr;
        Sleep(20);
    }
}

static BOOL CALLBACK collectStatic(HWND child, LPARAM param) {
    char className[64] = {};
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") == 0) {
        const int length = GetWindowTextLengthA(child);
        if (length > 0) {
            std::string text(static_cast<size_t>(length) + 1, '\0');
            text.resize(static_cast<size_t>(GetWindowTextA(child, &text[0], length + 1)));
            reinterpret_cast<std::vector<std::string>*>(param)->push_back(text);
        }
    }
    return TRUE;
}

std::vector<std::string> staticTexts(HWND window) {
    std::vector<std::string> texts;
    EnumChildWindows(window, collectStatic, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

std::string itemText(HWND dialog, int id) {
    const int length = static_cast<int>(SendDlgItemMessageA(dialog, id, WM_GETTEXTLENGTH, 0, 0));
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int got = GetDlgItemTextA(dialog, id, &text[0], length + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

void clickButton(HWND dialog, int id) {
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void pressButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool waitUntilGone(HWND window, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (IsWindow(window)) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(20);
    }
    return true;
}

} // namespace testing_support
