#pragma once

#include <windows.h>

// Shows the hourglass for the object's lifetime and puts the previous cursor
// back afterwards, on every way out.
class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
    ~WaitCursor() {
        if (previous_ != nullptr)
            SetCursor(previous_);
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};
