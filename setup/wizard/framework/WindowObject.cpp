#include "setup/wizard/framework/WindowObject.h"

#include "setup/wizard/framework/FailureCapture.h"

WindowObject::~WindowObject() {
    if (window_ == nullptr)
        return;
    if (timerId_ != 0)
        KillTimer(window_, timerId_);
    HWND window = window_;
    DestroyWindow(window);
    // A window of another thread cannot be destroyed from here; it must not
    // reach this object any more.
    if (IsWindow(window))
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
}

void WindowObject::onDestroy() {
    window_ = nullptr;
}

// Validates the update region, so that a window without a painter does not
// receive WM_PAINT for ever.
void WindowObject::onPaint() {
    PAINTSTRUCT paint;
    BeginPaint(window_, &paint);
    EndPaint(window_, &paint);
}

void MainWindowObject::onDestroy() {
    WindowObject::onDestroy();
    PostQuitMessage(0);
}

LRESULT CALLBACK WindowObject::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_CREATE) {
            auto object = static_cast<WindowObject*>(
                reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
            if (object == nullptr)
                return -1;
            object->window_ = window;
            if (!object->onCreate()) {
                object->window_ = nullptr;
                return -1;
            }
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
            return 0;
        }
        auto object = reinterpret_cast<WindowObject*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (object == nullptr)
            return DefWindowProcA(window, message, wParam, lParam);
        if (message == WM_DESTROY) {
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            object->onDestroy();
            return 0;
        }
        return object->dispatch(message, wParam, lParam);
    } catch (...) {
        captureFailure();
        return message == WM_CREATE ? -1 : 0;
    }
}

LRESULT WindowObject::dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_USER) {
        onCommand(static_cast<int>(message));
        return 0;
    }
    switch (message) {
    case WM_SIZE:
        onSize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_PAINT:
        onPaint();
        return 0;
    case WM_ERASEBKGND:
        onEraseBackground();
        return 1;
    case WM_NOTIFY:
        onNotify(wParam, lParam);
        return 0;
    case WM_COMMAND:
        onCommand(LOWORD(wParam));
        return 0;
    case WM_TIMER:
        onTimer();
        return 0;
    default:
        return DefWindowProcA(window_, message, wParam, lParam);
    }
}
