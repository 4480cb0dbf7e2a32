#pragma once

#include "setup/thread/OwnedHandle.h"
#include "setup/thread/Thread.h"

#include <windows.h>

// Waits on its own thread for the readme viewer to end, then posts
// WZ_RUN_APPLICATION (as a WM_COMMAND) to the setup window. A viewer that
// handed the file to a running program gives no process: the command is
// then posted at once.
class ReadmeWaiter : public thread::Thread {
public:
    // Takes over the viewer's process handle (may be null).
    ReadmeWaiter(HWND setupWindow, HANDLE viewer) : setupWindow_(setupWindow), viewer_(viewer) {}

protected:
    void run() override;

private:
    HWND setupWindow_;
    OwnedHandle viewer_;
};
