#include "setup/config/FolderVariables.h"
#include "setup/config/SetupContext.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <fstream>
#include <map>
#include <string>

namespace {


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

// A registry value that the test changes and puts back as it was.
class SavedValue {
public:
    SavedValue(HKEY root, const char* key, const char* name) : name_(name) {
        RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
        DWORD size = sizeof data_;
        existed_ = RegQueryValueExA(key_, name, nullptr, &type_, data_, &size) == ERROR_SUCCESS;
        size_ = size;
    }
    ~SavedValue() {
        if (existed_)
            RegSetValueExA(key_, name_, 0, type_, data_, size_);
        else
            RegDeleteValueA(key_, name_);
        RegCloseKey(key_);
    }
    void set(const std::string& text) {
        RegSetValueExA(key_, name_, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1));
    }
    void remove() { RegDeleteValueA(key_, name_); }

private:
    HKEY key_ = nullptr;
    const char* name_;
    bool existed_ = false;
    DWORD type_ = 0;
    BYTE data_[1024] = {};
    DWORD size_ = 0;
};

const char* const currentVersion = "Software\\Microsoft\\Windows\\CurrentVersion";

// The folder variables as seen by a fresh process, with Wine reporting
// `windowsVersion` (empty: Wine's default, an NT system).
std::map<std::string, std::string> probeFolders(const std::string& windowsVersion,
                                                const std::string& outputName) {
    const std::string output = testing_support::programDirectory() + "\\" + outputName;
    DeleteFileA(output.c_str());
    {
        SavedValue version(HKEY_CURRENT_USER, "Software\\Wine", "Version");
        if (windowsVersion.empty())
            version.remove();
        else
            version.set(windowsVersion);
        std::string command = "\"" + testing_support::programDirectory() + "\\folder_probe.exe\" \"" + output + "\"";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process))
            return {};
        WaitForSingleObject(process.hProcess, 60000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
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
        {"SetupDir", testing_support::programDirectory()},
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

    programFiles.set("D:\\Apps %Unexpanded%");
    commonFiles.set("D:\\Apps\\Shared");
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
        {"CommonDesktop", "Desktop"},
        {"CommonStartUp", "StartUp"},
        {"CommonStartMenu", "StartMenu"},
        {"CommonStartMenuPrograms", "StartMenuPrograms"},
        {"CommonAppSCFolder", "AppSCFolder"},
    };
    for (const auto& pair : pairs)
        EXPECT_EQ(win98.at(pair.common), win98.at(pair.perUser)) << pair.common;
}

} // namespace
