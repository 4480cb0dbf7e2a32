#include "setup/start/SetupProgram.h"
#include "setup/start/errors/ExceptionReport.h"

#include <stdlib.h>
#include <windows.h>

// setup.exe: the whole run inside the one outer handler, which shows a failure
// in a single message box and makes the exit code -1.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    restrictDllSearchPath();
    const std::vector<std::string> arguments(__argv + (__argc > 0 ? 1 : 0), __argv + __argc);
    return runWithOuterHandler([&] { return runSetup(instance, arguments); });
}
