// uninstall.exe: removes what setup.log says the installation made. See the
// uninstaller section of README.md for the switches and exit codes.
#include "setup/config/WindowsVersion.h"
#include "setup/records/helpers/PathExists.h"
#include "setup/records/helpers/ProgramDirectory.h"
#include "uninstall/CommandLine.h"
#include "uninstall/ExitCodes.h"
#include "uninstall/LogFile.h"
#include "uninstall/SelfRemoval.h"
#include "uninstall/Uninstaller.h"
#include "uninstall/UninstallWindows.h"

#include <windows.h>

#include <string>

namespace {

RestartMechanism restartMechanism() {
    try {
        const WindowsVersion version;
        if (version.isNT())
            return RestartMechanism::PendingOperations;
        if (version.is9x())
            return RestartMechanism::WinInitIni;
    } catch (...) {
    }
    return RestartMechanism::None;
}

std::string fullPath(const std::string& path) {
    char full[MAX_PATH] = {};
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return length > 0 && length < sizeof full ? std::string(full, length) : std::string();
}

// The registration program beside the uninstaller when the package put one
// there, as setup uses the one beside itself; the system's otherwise.
std::string registrationProgram(const std::string& directory) {
    const std::string beside = directory + "\\Regsvr32.exe";
    if (exists(beside))
        return beside;
    char system[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(system, sizeof system);
    return length > 0 && length < sizeof system ? std::string(system) + "\\regsvr32.exe"
                                                : std::string("regsvr32.exe");
}

int uninstall(const UninstallCommandLine& command) {
    const UninstallTexts builtInTexts;
    const bool interactive = !command.silent;
    if (!command.problem.empty()) {
        if (interactive)
            showProblem(builtInTexts, "The command line is not understood: " + command.problem +
                                          ".\r\nUse: uninstall [/S] [log file]");
        return ExitBadCommandLine;
    }

    const std::string directory = programDirectory();
    const std::string logPath =
        command.logPath.empty() ? directory + "\\setup.log" : fullPath(command.logPath);
    const LogReading reading = readLogFile(logPath);
    if (reading.status == LogReading::Missing) {
        if (interactive)
            showProblem(builtInTexts,
                        "There is no uninstall log " + logPath + ".\r\nNothing was removed.");
        return ExitNoLog;
    }
    if (reading.status == LogReading::Unusable) {
        if (interactive)
            showProblem(builtInTexts, "The uninstall log " + logPath + " cannot be used: " +
                                          reading.problem + ".\r\nNothing was removed.");
        return ExitUnusableLog;
    }

    const UninstallTexts texts(reading.plan);
    if (interactive && !confirmRemoval(texts))
        return ExitCancelled;

    const RestartMechanism mechanism = restartMechanism();
    Uninstaller uninstaller(reading.plan, logPath, programPath(), registrationProgram(directory),
                            mechanism);
    SharedFileDialog question(texts);
    uninstaller.decideSharedFiles(interactive ? &question : nullptr);
    RemovalReport report = interactive ? removeWithProgress(uninstaller, texts)
                                       : uninstaller.run(Uninstaller::Progress());

    if (!uninstaller.programFileToRemove().empty()) {
        bool scheduled = false;
        if (!removeAfterExit(uninstaller.programFileToRemove(), uninstaller.foldersAfterProgram(),
                             mechanism, scheduled)) {
            if (scheduled)
                report.restartNeeded = true;
            else
                report.itemsLeft.push_back(uninstaller.programFileToRemove());
        }
    }

    if (interactive)
        showFinished(texts, report);
    if (!report.itemsLeft.empty())
        return ExitItemsLeft;
    return report.restartNeeded ? ExitRestartNeeded : ExitRemoved;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const UninstallCommandLine command =
        UninstallCommandLine::parse(argumentsOf(GetCommandLineA()));
    if (command.finishing) {
        if (!command.problem.empty())
            return ExitBadCommandLine;
        return finishRemoval(reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(command.waitHandle)),
                             command.finishPaths, restartMechanism());
    }
    try {
        return uninstall(command);
    } catch (...) {
        // Only an exhausted memory ends up here; what was removed stays removed.
        return ExitItemsLeft;
    }
}
