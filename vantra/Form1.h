#pragma once

#include "vantra/Gdi.h"

#include <windows.h>

// The launcher's only form: a borderless splash, centred on the screen and
// left out of the task bar, that shows the picture (Image1) with the message
// (Label1) over it. One second after it is shown its timer (Timer1) ticks
// once: the launch steps run, a failure is reported in a message box, and the
// form closes, which ends the message loop.
class Form1 {
public:
    explicit Form1(HINSTANCE instance);
    ~Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // Registers the window class, creates and shows the form and starts the
    // timer. False, with the thread's last error set, when any of it fails.
    bool load();

    // 0 once the launch steps succeeded, 1 after a failure (reported to the
    // user by then) or a form closed before they ran.
    int exitCode() const { return exitCode_; }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void onPaint();
    void onTimer();

    HINSTANCE instance_;
    HWND window_ = nullptr;
    GdiObject picture_;
    GdiObject font_;
    int exitCode_ = 1;
};
