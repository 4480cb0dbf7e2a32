#include "tests/wizard/WizardTestSupport.h"

#include "tests/support/TestFiles.h"

#include <cstring>

namespace wizard_tests {

using testing_support::programDirectory;
using testing_support::readFile;

void installProbe(const std::string& path) {
    CopyFileA((programDirectory() + "\\wizard_probe.exe").c_str(), path.c_str(), FALSE);
}

std::optional<ProbeRun> probeRun(const std::string& path) {
    const std::string record = readFile(path + ".ran");
    if (record == "<missing>")
        return std::nullopt;
    const std::string::size_type end = record.find("\r\n");
    if (end == std::string::npos)
        return std::nullopt;
    ProbeRun run;
    run.commandLine = record.substr(0, end);
    const std::string::size_type end2 = record.find("\r\n", end + 2);
    run.directory =
        record.substr(end + 2, end2 == std::string::npos ? std::string::npos : end2 - end - 2);
    return run;
}

bool waitForFile(const std::string& path, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(20);
    }
    return true;
}

SetupRun::SetupRun(const std::string& packageFolder, const std::vector<std::string>& arguments) {
    const std::string setup = packageFolder + "\\setup.exe";
    CopyFileA((programDirectory() + "\\..\\setup.exe").c_str(), setup.c_str(), FALSE);
    std::string commandLine = "\"" + setup + "\"";
    for (const std::string& argument : arguments)
        commandLine += " \"" + argument + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                       packageFolder.c_str(), &startup, &info)) {
        CloseHandle(info.hThread);
        process_ = info.hProcess;
    }
}

SetupRun::~SetupRun() {
    if (process_ == nullptr)
        return;
    if (WaitForSingleObject(process_, 0) != WAIT_OBJECT_0) {
        TerminateProcess(process_, 254);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

std::optional<DWORD> SetupRun::exitCode(DWORD timeoutMs) {
    if (process_ == nullptr || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

} // namespace wizard_tests
