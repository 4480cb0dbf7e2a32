#pragma once

// Programs that the tests start: the probes beside the test programs.

#include <windows.h>

#include <string>

namespace testing_support {

// Runs the command line, waits up to `timeoutMs` for the process and returns
// its exit code; -1 when it cannot be started or does not end in time.
long runProcess(const std::string& commandLine, DWORD timeoutMs = 30000);

} // namespace testing_support
