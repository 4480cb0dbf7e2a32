#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The whole run of setup.exe, from the package's configuration to the end of
// the wizard, inside the caller's outer handler: every failure is thrown from
// here once everything this run built is gone. `arguments` are those after
// the program's own name. Returns the exit code: the quit message's value
// after the wizard, 0 when the user chose at the reinstall question to end
// the setup, -1 when the message loop fails.
int runSetup(HINSTANCE instance, const std::vector<std::string>& arguments);

// Keeps DLLs that the program loads by name, and that system code loads on
// its behalf, to the system folder where the platform allows it, so that a
// DLL planted beside setup.exe in a download folder is never loaded. Older
// systems lack the calls; there nothing changes.
void restrictDllSearchPath();
