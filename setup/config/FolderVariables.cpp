#include "setup/config/FolderVariables.h"

#include "setup/config/SetupContext.h"
#include "setup/config/WindowsVersion.h"
#include "setup/records/helpers/ProgramDirectory.h"
#include "setup/records/helpers/RegistryKey.h"
#include "setup/records/helpers/RegistryText.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

namespace {

const char* const currentVersionKey = "Microsoft\\Windows\\CurrentVersion";

} // namespace

std::string shellFolder(int csidl) {
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &items)) || items == nullptr)
        return std::string();
    char path[MAX_PATH] = {};
    const BOOL found = SHGetPathFromIDListA(items, path);
    CoTaskMemFree(items);
    std::string folder = found ? std::string(path) : std::string();
    if (folder.size() > 3 && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

namespace {

template <typename Query> std::string systemText(Query query) {
    char text[MAX_PATH + 1] = {};
    const UINT length = query(text, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(text, length) : std::string();
}

} // namespace

void setProgramFilesVariable(SetupContext& context) {
    std::string value;
    if (!readRegistryText(currentVersionKey, "ProgramFilesDir", value))
        value = "C:\\Program Files";
    context.setVariable("ProgramFiles", value);
}

void setFolderVariables(SetupContext& context) {
    context.setVariable("SetupDir", programDirectory());
    context.setVariable("WinDir", systemText(GetWindowsDirectoryA));
    context.setVariable("WinSysDir", systemText(GetSystemDirectoryA));
    context.setVariable("Desktop", shellFolder(CSIDL_DESKTOP));
    context.setVariable("StartUp", shellFolder(CSIDL_STARTUP));
    context.setVariable("StartMenu", shellFolder(CSIDL_STARTMENU));
    const std::string programs = shellFolder(CSIDL_PROGRAMS);
    context.setVariable("StartMenuPrograms", programs);
    context.setVariable("AppSCFolder", programs + "\\%OutputProgramGroup%");

    const bool nt = WindowsVersion().isNT();
    context.setVariable("CommonDesktop",
                        shellFolder(nt ? CSIDL_COMMON_DESKTOPDIRECTORY : CSIDL_DESKTOP));
    context.setVariable("CommonStartUp", shellFolder(nt ? CSIDL_COMMON_STARTUP : CSIDL_STARTUP));
    context.setVariable("CommonStartMenu",
                        shellFolder(nt ? CSIDL_COMMON_STARTMENU : CSIDL_STARTMENU));
    const std::string applicationData = shellFolder(CSIDL_APPDATA);
    context.setVariable("ApplicationData", applicationData);
    context.setVariable("ControlPanel", shellFolder(CSIDL_CONTROLS));
    context.setVariable("Favorites", shellFolder(CSIDL_FAVORITES));
    context.setVariable("MyDocuments", shellFolder(CSIDL_PERSONAL));
    const std::string commonPrograms = shellFolder(nt ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS);
    context.setVariable("CommonStartMenuPrograms", commonPrograms);
    context.setVariable("CommonAppSCFolder", commonPrograms + "\\%OutputProgramGroup%");
    context.setVariable("QuickLaunchBar",
                        applicationData + "\\Microsoft\\Internet Explorer\\Quick Launch");
    context.setVariable("TempDir", systemText([](char* text, UINT size) {
                            return static_cast<UINT>(GetTempPathA(size, text));
                        }));
}

void setCommonFilesVariable(SetupContext& context) {
    std::string value = "C:\\Program Files\\Common Files";
    RegistryKey key;
    if (key.open(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", KEY_READ)) {
        // The type is not tested; one spare zero byte ends a value stored
        // without its terminator.
        char text[MAX_PATH + 1] = {};
        DWORD size = MAX_PATH;
        if (RegQueryValueExA(key.get(), "CommonFilesDir", nullptr, nullptr,
                             reinterpret_cast<BYTE*>(text), &size) == ERROR_SUCCESS)
            value = text;
    }
    context.setVariable("CommonFiles", value);
}
