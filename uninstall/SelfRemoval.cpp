#include "uninstall/SelfRemoval.h"

#include "setup/records/helpers/PathExists.h"
#include "setup/records/helpers/ProgramDirectory.h"
#include "setup/thread/OwnedHandle.h"

#include <vector>

namespace {

// How long the copy waits for the uninstaller, and then for the system to let
// go of the ended program's file.
const DWORD waitForUninstallerMs = 60000;
const int deleteAttempts = 50;
const DWORD deleteRetryMs = 100;

// A fresh file in the temporary folder holding a copy of `source`.
std::string temporaryCopy(const std::string& source) {
    const std::string name = temporaryFileName("uni");
    if (name.empty())
        return name;
    // The temporary name ends in .tmp; a program started by name must end in .exe.
    const std::string copy = name + ".exe";
    const bool copied = CopyFileA(source.c_str(), copy.c_str(), FALSE) != FALSE;
    DeleteFileA(name.c_str());
    return copied ? copy : std::string();
}

bool scheduleAll(const std::string& programFile, const std::vector<std::string>& folders,
                 RestartMechanism mechanism) {
    bool all = deleteAtRestart(programFile, mechanism);
    for (const std::string& folder : folders)
        all = deleteAtRestart(folder, mechanism) && all;
    return all;
}

} // namespace

bool removeAfterExit(const std::string& programFile, const std::vector<std::string>& folders,
                     RestartMechanism mechanism, bool& scheduled) {
    scheduled = false;
    const std::string copy = temporaryCopy(programPath());
    HANDLE self = nullptr;
    if (!copy.empty() && DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(),
                                         GetCurrentProcess(), &self, SYNCHRONIZE, TRUE, 0)) {
        const OwnedHandle selfHandle(self);
        std::string line = "\"" + copy + "\" /finish " +
                           std::to_string(reinterpret_cast<unsigned long long>(self)) + " \"" +
                           programFile + "\"";
        for (const std::string& folder : folders)
            line += " \"" + folder + "\"";
        std::vector<char> commandLine(line.begin(), line.end());
        commandLine.push_back('\0');
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        // The copy inherits the handle of this process to wait on; it starts
        // in the temporary folder so that it holds none of the folders open.
        char temporaryFolder[MAX_PATH] = {};
        GetTempPathA(sizeof temporaryFolder, temporaryFolder);
        if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                           temporaryFolder, &startup, &process)) {
            CloseHandle(process.hProcess);
            CloseHandle(process.hThread);
            return true;
        }
    }
    if (!copy.empty())
        DeleteFileA(copy.c_str());
    scheduled = scheduleAll(programFile, folders, mechanism);
    return false;
}

int finishRemoval(HANDLE waitFor, const std::vector<std::string>& paths,
                  RestartMechanism mechanism) {
    {
        const OwnedHandle uninstaller(waitFor);
        WaitForSingleObject(uninstaller.get(), waitForUninstallerMs);
    }
    if (paths.empty())
        return 0;
    const std::string& programFile = paths[0];
    // The system may hold the ended program's file for a moment.
    bool deleted = !exists(programFile);
    for (int attempt = 0; !deleted && attempt < deleteAttempts; ++attempt) {
        deleted = DeleteFileA(programFile.c_str()) || !exists(programFile);
        if (!deleted)
            Sleep(deleteRetryMs);
    }
    if (!deleted)
        deleteAtRestart(programFile, mechanism);
    for (std::size_t index = 1; index < paths.size(); ++index)
        if (!RemoveDirectoryA(paths[index].c_str()) && exists(paths[index]))
            deleteAtRestart(paths[index], mechanism);

    const std::string self = programPath();
    if (!self.empty())
        deleteAtRestart(self, mechanism);
    return 0;
}
