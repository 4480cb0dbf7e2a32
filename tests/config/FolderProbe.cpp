// Writes the folder variables, as a fresh process sees them, to the file named
// by its first argument: one "Name=Value" line each. The tests start it after
// telling Wine to report another Windows version, which a process reads once,
// at its start.
#include "setup/config/FolderVariables.h"
#include "setup/config/SetupContext.h"

#include <fstream>

int main(int argc, char** argv) {
    if (argc < 2)
        return 1;
    SetupContext context;
    setProgramFilesVariable(context);
    setFolderVariables(context);
    setCommonFilesVariable(context);
    std::ofstream out(argv[1], std::ios::binary);
    for (const char* name : {"ProgramFiles",
                             "SetupDir",
                             "WinDir",
                             "WinSysDir",
                             "Desktop",
                             "StartUp",
                             "StartMenu",
                             "StartMenuPrograms",
                             "AppSCFolder",
                             "CommonDesktop",
                             "CommonStartUp",
                             "CommonStartMenu",
                             "ApplicationData",
                             "ControlPanel",
                             "Favorites",
                             "MyDocuments",
                             "CommonStartMenuPrograms",
                             "CommonAppSCFolder",
                             "QuickLaunchBar",
                             "TempDir",
                             "CommonFiles"})
        out << name << "=" << context.getVariable(name, false) << "\n";
    return 0;
}
