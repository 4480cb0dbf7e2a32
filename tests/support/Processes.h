#pragma once

// Programs that the tests start: the probes beside the test programs.

#include <windows.h>

#include <string>

namespace testing_support {

// Starts the command line and returns its process handle; null when it
// cannot be started.
HANDLE startProcess(const std::string& commandLine);

// Waits up to `timeoutMs` for the process and returns its exit code; on
// time-out ends it and returns -1. Closes the handle; a null one gives -1.
long finishProcess(HANDLE process, DWORD timeoutMs = 60000);

// Runs the command line, waits up to `timeoutMs` for the process and returns
// its exit code; -1 when it cannot be started or does not end in time.
long runProcess(const std::string& commandLine, DWORD timeoutMs = 30000);

} // namespace testing_support
