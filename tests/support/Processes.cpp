#include "tests/support/Processes.h"

#include "setup/thread/OwnedHandle.h"

namespace testing_support {

long runProcess(const std::string& commandLine, DWORD timeoutMs) {
    std::string line = commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return -1;
    const OwnedHandle processHandle(process.hProcess);
    const OwnedHandle threadHandle(process.hThread);
    DWORD code = 0;
    if (WaitForSingleObject(processHandle.get(), timeoutMs) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(processHandle.get(), &code))
        return -1;
    return static_cast<long>(code);
}

} // namespace testing_support
