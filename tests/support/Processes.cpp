#include "tests/support/Processes.h"

#include "setup/thread/OwnedHandle.h"

namespace testing_support {

HANDLE startProcess(const std::string& commandLine) {
    std::string line = commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

long finishProcess(HANDLE process, DWORD timeoutMs) {
    const OwnedHandle processHandle(process);
    DWORD code = 0;
    if (!processHandle.isOpen())
        return -1;
    if (WaitForSingleObject(processHandle.get(), timeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(processHandle.get(), 99);
        return -1;
    }
    return GetExitCodeProcess(processHandle.get(), &code) ? static_cast<long>(code) : -1;
}

long runProcess(const std::string& commandLine, DWORD timeoutMs) {
    return finishProcess(startProcess(commandLine), timeoutMs);
}

} // namespace testing_support
