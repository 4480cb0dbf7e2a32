#include "setup/wizard/framework/FailureCapture.h"

#include <windows.h>

#include <exception>

namespace {
thread_local std::exception_ptr captured;
}

void captureFailure() noexcept {
    if (!captured)
        captured = std::current_exception();
    PostQuitMessage(0);
}

void rethrowCapturedFailure() {
    if (!captured)
        return;
    std::exception_ptr failure = captured;
    captured = nullptr;
    // The quit message that ended the loops has done its work; left in the
    // queue it would close the very message box that reports the failure.
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    std::rethrow_exception(failure);
}

bool failureCaptured() noexcept {
    return static_cast<bool>(captured);
}
