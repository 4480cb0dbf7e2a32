#include "setup/config/FolderVariables.h"
#include "setup/config/SetupContext.h"
#include "tests/support/Processes.h"
#include "tests/support/Registry.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <fstream>
#include <map>
#include <string>

namespace {

using testing_support::programDirectory;
using testing_support::runProcess;
using testing_support::SavedValue;

// A shell folder through another route than the engine's, without a trailing '\'.
std::string shellPath(int csidl) {
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, 0, path)))
        return "";
    std::string folder = path;
    if (folder.size() > 3 && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

const char* const currentVersion = "Software\\Microsoft\\Windows\\CurrentVersion";

// The folder variables as seen by a fresh process, with Wine reporting
// `windowsVersion` (empty: Wine's default, an NT system).
std::map<std::string, std::string> probeFolders(const std::string& windowsVersion,
                                                const std::string& outputName) {
    const std::string output = programDirectory() + "\\" + outputName;
    DeleteFileA(output.c_str());
    {
        SavedValue version(HKEY_CURRENT_USER, "Software\\Wine", "Version");
        if (windowsVersion.empty())
            version.remove();
        else
            version.setText(windowsVersion);
        if (runProcess("\"" + programDirectory() + "\\folder_probe.exe\" \"" + output + "\"",
                       60000) < 0)
            return {};
    }
    std::map<std::string, std::string> values;
    std::ifstream in(output);
    std::string line;
    while (std::getline(in, line)) {
        const auto equals = line.find('=');
        values[line.substr(0, equals)] = line.substr(equals + 1);
    }
    DeleteFileA(output.c_str());
    return values;
}

TEST(FolderVariables, ComeFromTheShellTheSystemAndTheRegistry) {
    SetupContext context;
    setProgramFilesVariable(context);
    setFolderVariables(context);
    setCommonFilesVariable(context);

    char windows[MAX_PATH] = {}, system[MAX_PATH] = {}, temp[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, sizeof windows);
    GetSystemDirectoryA(system, sizeof system);
    GetTempPathA(sizeof temp, temp);
    const std::string appData = shellPath(CSIDL_APPDATA);
    const std::string programs = shellPath(CSIDL_PROGRAMS);
    const std::string commonPrograms = shellPath(CSIDL_COMMON_PROGRAMS);
    ASSERT_FALSE(programs.empty());

    const struct {
        const char* name;
        std::string value;
    } expected[] = {
        {"SetupDir", programDirectory()},
        {"WinDir", windows},
        {"WinSysDir", system},
        {"Desktop", shellPath(CSIDL_DESKTOPDIRECTORY)},
        {"StartUp", shellPath(CSIDL_STARTUP)},
        {"StartMenu", shellPath(CSIDL_STARTMENU)},
        {"StartMenuPrograms", programs},
        {"AppSCFolder", programs + "\\%OutputProgramGroup%"},
        {"CommonDesktop", shellPath(CSIDL_COMMON_DESKTOPDIRECTORY)},
        {"CommonStartUp", shellPath(CSIDL_COMMON_STARTUP)},
        {"CommonStartMenu", shellPath(CSIDL_COMMON_STARTMENU)},
        {"ApplicationData", appData},
        {"ControlPanel", ""},
        {"Favorites", shellPath(CSIDL_FAVORITES)},
        {"MyDocuments", shellPath(CSIDL_PERSONAL)},
        {"CommonStartMenuPrograms", commonPrograms},
        {"CommonAppSCFolder", commonPrograms + "\\%OutputProgramGroup%"},
        {"QuickLaunchBar", appData + "\\Microsoft\\Internet Explorer\\Quick Launch"},
        {"TempDir", temp},
    };
    for (const auto& e : expected) {
        EXPECT_EQ(context.getVariable(e.name, false), e.value) << e.name;
        const std::string value = context.getVariable(e.name, false);
        if (std::string(e.name) != "TempDir" && !value.empty()) {
            EXPECT_NE(value.back(), '\\') << e.name;
        }
    }
    EXPECT_EQ(context.getVariable("TempDir", false).back(), '\\');

    // The program group is looked up whenever the folder is expanded.
    context.setOutputProgramGroup("Acme Tools");
    EXPECT_EQ(context.getVariable("AppSCFolder", true), programs + "\\Acme Tools");
    context.setOutputProgramGroup("Tools");
    EXPECT_EQ(context.getVariable("AppSCFolder", true), programs + "\\Tools");
    EXPECT_EQ(context.getVariable("CommonAppSCFolder", true), commonPrograms + "\\Tools");

    std::string tempFile = "%TempDir%setup.tmp";
    context.expandVariables(tempFile);
    EXPECT_EQ(tempFile, std::string(temp) + "setup.tmp");
}

TEST(FolderVariables, ProgramFoldersAreReadFromTheRegistryWithFixedFallBacks) {
    SavedValue programFiles(HKEY_LOCAL_MACHINE, currentVersion, "ProgramFilesDir");
    SavedValue commonFiles(HKEY_LOCAL_MACHINE, currentVersion, "CommonFilesDir");

    programFiles.setText("D:\\Apps %Unexpanded%");
    commonFiles.setText("D:\\Apps\\Shared");
    SetupContext configured;
    setProgramFilesVariable(configured);
    setCommonFilesVariable(configured);
    EXPECT_EQ(configured.getVariable("ProgramFiles", false), "D:\\Apps %Unexpanded%");
    EXPECT_EQ(configured.getVariable("CommonFiles", false), "D:\\Apps\\Shared");

    programFiles.remove();
    commonFiles.remove();
    SetupContext missing;
    setProgramFilesVariable(missing);
    setCommonFilesVariable(missing);
    EXPECT_EQ(missing.getVariable("ProgramFiles", false), "C:\\Program Files");
    EXPECT_EQ(missing.getVariable("CommonFiles", false), "C:\\Program Files\\Common Files");
}

TEST(FolderVariables, CommonFoldersFallBackToThePerUserOnesOnWindows98) {
    const auto nt = probeFolders("", "folders-nt.txt");
    const auto win98 = probeFolders("win98", "folders-98.txt");
    ASSERT_FALSE(nt.empty());
    ASSERT_FALSE(win98.empty());

    EXPECT_NE(nt.at("CommonDesktop"), nt.at("Desktop"));
    EXPECT_NE(nt.at("CommonStartMenuPrograms"), nt.at("StartMenuPrograms"));
    const struct {
        const char* common;
        const char* perUser;
    } pairs[] = {
        {"CommonDesktop", "Desktop"},         {"CommonStartUp", "StartUp"},
        {"CommonStartMenu", "StartMenu"},     {"CommonStartMenuPrograms", "StartMenuPrograms"},
        {"CommonAppSCFolder", "AppSCFolder"},
    };
    for (const auto& pair : pairs)
        EXPECT_EQ(win98.at(pair.common), win98.at(pair.perUser)) << pair.common;
}

} // namespace
