#pragma once

#include <windows.h>

// A window and the object behind it. The object is handed to CreateWindowExA
// as the creation parameter; the shared window procedure keeps it in the
// window's user data from WM_CREATE to WM_DESTROY and routes the messages to
// the virtual handlers below. Any message at or above WM_USER, and the id of
// every WM_COMMAND, reaches onCommand: a command code arrives the same way
// whether it was posted as a message or sent as a control's command.
//
// No exception leaves the window procedure: a failure in a handler is kept
// and ends the message loops (see FailureCapture.h).
class WindowObject {
public:
    WindowObject() = default;
    // Kills a running timer and destroys a window that still exists.
    virtual ~WindowObject();
    WindowObject(const WindowObject&) = delete;
    WindowObject& operator=(const WindowObject&) = delete;

    HWND window() const { return window_; }

    // The window procedure of every class whose windows are WindowObjects.
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // False makes the creation fail.
    virtual bool onCreate() { return true; }
    // Forgets the window handle.
    virtual void onDestroy();
    virtual void onSize(int /*width*/, int /*height*/) {}
    virtual void onEraseBackground() {}
    virtual void onPaint();
    virtual void onCommand(int /*command*/) {}
    virtual void onNotify(WPARAM /*wParam*/, LPARAM /*lParam*/) {}
    virtual void onTimer() {}

    // The id of the running timer of this window, 0 when none runs.
    UINT_PTR timerId_ = 0;

private:
    LRESULT dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
};

// The program's main window: its destruction ends the message loop.
class MainWindowObject : public WindowObject {
protected:
    void onDestroy() override;
};
