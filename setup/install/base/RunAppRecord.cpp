#include "setup/install/base/RunAppRecord.h"

#include "setup/thread/OwnedHandle.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

void RunAppRecord::run() const {
    if (command_.startsAsProcess())
        runAsProcess();
    else
        runThroughShell();
}

void RunAppRecord::runAsProcess() const {
    // CreateProcessA may write into the command line, so it gets its own buffer.
    const std::string line = command_.commandLine();
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back('\0');

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(command_.show & 0xFFFF);

    PROCESS_INFORMATION process = {};
    const char* directory = command_.directory.empty() ? nullptr : command_.directory.c_str();
    if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, directory,
                        &startup, &process))
        return;
    const OwnedHandle processHandle(process.hProcess);
    const OwnedHandle threadHandle(process.hThread);
    if (command_.noWait == 0)
        WaitForSingleObject(processHandle.get(), INFINITE);
}

void RunAppRecord::runThroughShell() const {
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    // A document nobody can open is simply not run: no error box from the shell.
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpFile = command_.path.c_str();
    info.lpParameters = command_.parameters.c_str();
    info.nShow = command_.show;
    if (!ShellExecuteExA(&info))
        return;
    // The shell may hand the document to a program that is already running and
    // report no process at all.
    const OwnedHandle process(info.hProcess);
    if (process.isOpen() && command_.noWait == 0)
        WaitForSingleObject(process.get(), INFINITE);
}
