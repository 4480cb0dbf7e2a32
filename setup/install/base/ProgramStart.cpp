#include "setup/install/base/ProgramStart.h"

#include "setup/install/text/ProgramCommandLine.h"
#include "setup/thread/OwnedHandle.h"

#include <windows.h>

#include <vector>

bool startProgram(const std::string& commandLine) {
    const ProgramCommandLine command = ProgramCommandLine::parse(commandLine);
    // CreateProcessA may write into the command line: it gets its own buffer.
    const std::string line = command.safeLine(commandLine);
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back('\0');
    const std::string directory = command.directory(commandLine);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &startup, &process))
        return false;
    const OwnedHandle processHandle(process.hProcess);
    const OwnedHandle threadHandle(process.hThread);
    return true;
}
