#pragma once

#include "setup/install/base/ReplaceAtRestart.h"

#include <windows.h>

#include <string>
#include <vector>

// A running program cannot delete its own file. The uninstaller therefore
// starts a copy of itself from the temporary folder that waits until the
// uninstaller has ended, deletes its file and then the folders that held
// only it, and has its own copy deleted at the next restart.

// Starts that copy for `programFile` and `folders` (innermost first). When it
// cannot be started, the file and the folders are handed to the deletion at
// restart instead; false then, and `scheduled` tells whether that worked.
bool removeAfterExit(const std::string& programFile, const std::vector<std::string>& folders,
                     RestartMechanism mechanism, bool& scheduled);

// The copy's work: waits for the process `waitFor` (at most a minute), deletes
// `paths[0]` (the program file) and removes the folders after it when they
// are empty; what cannot go now goes at restart, the copy itself included.
// Returns 0.
int finishRemoval(HANDLE waitFor, const std::vector<std::string>& paths,
                  RestartMechanism mechanism);
