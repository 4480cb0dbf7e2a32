#include "setup/install/ReinstallTest.h"

#include "setup/config/SetupContext.h"
#include "setup/install/ReinstallQuestion.h"
#include "setup/install/base/ProgramStart.h"
#include "setup/records/helpers/RegistryKey.h"

#include <windows.h>

#include <cstring>

namespace {

const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// A text value of at most 259 bytes; a longer or missing value counts as
// missing.
bool readValue(HKEY key, const char* name, std::string& text) {
    char buffer[260] = {};
    DWORD size = sizeof buffer;
    DWORD type = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
        ERROR_SUCCESS)
        return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return false;
    text.assign(buffer, strnlen(buffer, size));
    return true;
}

bool removeFirst(SetupContext& context) {
    RegistryKey uninstall;
    std::string command;
    if (uninstall.open(HKEY_LOCAL_MACHINE, kUninstallKey + context.getProductName(),
                       KEY_QUERY_VALUE) &&
        readValue(uninstall.get(), "UninstallString", command) && startProgram(command))
        return false;
    const std::string warning = context.getVariable("ReinstallDialogError1", true);
    MessageBoxA(nullptr, warning.c_str(), "Setup", MB_ICONWARNING);
    return true;
}

void installOver(SetupContext& context, HKEY marker) {
    std::string value;
    if (readValue(marker, "AppDir", value)) {
        context.setVariable("DefaultInstallationPath", value);
        context.setAppDir(value);
    }
    if (readValue(marker, "AppShortcutFolder", value)) {
        context.setVariable("DefaultShortcutFolderName", value);
        context.setOutputProgramGroup(value);
    }
}

} // namespace

bool testReinstall(SetupContext& context, ReinstallQuestion& question) {
    if (!context.getFlagVariable("TestReinstall"))
        return true;
    RegistryKey marker;
    if (!marker.open(HKEY_LOCAL_MACHINE, context.getVariable("TestReinstallRegKey", true),
                     KEY_QUERY_VALUE))
        return true;
    if (RegQueryValueExA(marker.get(), "kwoAppDir", nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
        return true;
    switch (question.ask()) {
    case ReinstallQuestion::RemoveFirst:
        return removeFirst(context);
    case ReinstallQuestion::InstallOver:
        installOver(context, marker.get());
        return true;
    case ReinstallQuestion::Cancel:
    default:
        return false;
    }
}
