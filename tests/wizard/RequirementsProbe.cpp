// Runs the system requirements check in a process of its own, so that Wine
// can start it as another Windows version (read from the program's AppDefaults
// key at process start).
//
//   requirements_probe <package folder>
//       loads the package from the folder (also the current directory), runs
//       the check against a window of its own and exits with:
//       1 when the check let the run go on, plus 2 when the window received
//       WZ_EXIT; 255 when the package or the version could not be read.
#include "setup/config/SetupContext.h"
#include "setup/install/WizardCommands.h"
#include "setup/wizard/windows/SystemRequirements.h"

#include <windows.h>

namespace {

bool exitReceived = false;

LRESULT CALLBACK recordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WZ_EXIT)
        exitReceived = true;
    return DefWindowProcA(window, message, wParam, lParam);
}

// A hidden window standing in for the setup window; destroyed on every path.
class RecordingWindow {
public:
    RecordingWindow() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = recordingProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "RequirementsProbeWindow";
        RegisterClassA(&windowClass);
        window_ = CreateWindowA("RequirementsProbeWindow", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                nullptr, windowClass.hInstance, nullptr);
    }
    ~RecordingWindow() {
        if (window_)
            DestroyWindow(window_);
    }
    RecordingWindow(const RecordingWindow&) = delete;
    RecordingWindow& operator=(const RecordingWindow&) = delete;

    HWND handle() const { return window_; }

private:
    HWND window_ = nullptr;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return 254;
    try {
        SetCurrentDirectoryA(argv[1]);
        SetupContext context(argv[1]);
        RecordingWindow window;
        if (!window.handle())
            return 253;
        const bool goesOn = checkSystemRequirements(context, window.handle());
        return (goesOn ? 1 : 0) | (exitReceived ? 2 : 0);
    } catch (...) {
        return 255;
    }
}
