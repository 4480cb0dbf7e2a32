// The least a program can do to show a dialog: one template, one modal
// dialog, nothing else. The wizard benchmark compares setup's start with it.
#include <windows.h>

namespace {

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return static_cast<int>(DialogBoxParamA(instance, MAKEINTRESOURCEA(1), nullptr, dialogProc, 0));
}
