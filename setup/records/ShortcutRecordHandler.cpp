#include "setup/records/ShortcutRecordHandler.h"

#include "setup/config/SetupContext.h"
#include "setup/install/base/UninstallLog.h"
#include "setup/records/helpers/ComPointer.h"
#include "setup/records/helpers/DirectoryChain.h"
#include "setup/records/helpers/PathExists.h"
#include "setup/records/helpers/StatusText.h"
#include "setup/records/ErrorLog.h"
#include "setup/records/text/PathText.h"
#include "setup/records/text/TextNumber.h"

#include <intshcut.h>
#include <shlobj.h>

namespace {

const CLSID shellLinkClass = {
    0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID shellLinkInterface = {
    0x000214EE, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID persistFileInterface = {
    0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const CLSID internetShortcutClass = {
    0xFBF23B40, 0xE3F0, 0x101B, {0x84, 0x88, 0x00, 0xAA, 0x00, 0x3E, 0x56, 0xF8}};
const IID urlInterface = {
    0xFBF23B80, 0xE3F0, 0x101B, {0x84, 0x88, 0x00, 0xAA, 0x00, 0x3E, 0x56, 0xF8}};

} // namespace

ShortcutRecordHandler::ShortcutRecordHandler(const SetupContext& context,
                                             UninstallLog& uninstallLog, ErrorLog& errorLog,
                                             HWND statusText)
    : context_(context), uninstallLog_(uninstallLog), errorLog_(errorLog), statusText_(statusText) {
    showStatus(statusText_, "Create shortcuts");
}

ShortcutRecordHandler::~ShortcutRecordHandler() {
    // Before the COM initialisation ends with the members.
    showStatus(statusText_, "");
}

bool ShortcutRecordHandler::process(const std::string& record) {
    const std::string type = cursor_.first(record);
    std::string linkPath = cursor_.next();
    context_.expandVariables(linkPath);
    if (linkPath.empty()) {
        errorLog_.add("bad format Shortcut record:link path is empty");
        return false;
    }

    const std::string directory = splitPath(linkPath).directory;
    if (!makeDirectory(directory))
        errorLog_.add("can't make dir for shortcut:" + directory);

    switch (type.empty() ? '\0' : type[0]) {
    case 's':
        return makeShellLink(linkPath + ".lnk");
    case 'i':
    case 'w':
        return makeInternetShortcut(linkPath + ".url");
    default:
        errorLog_.add("Unknown link type:" + type);
        return false;
    }
}

bool ShortcutRecordHandler::makeDirectory(const std::string& path) {
    if (path.empty())
        return true;
    const bool driveLetter = path.size() >= 2 && path[1] == ':';
    if (driveLetter) {
        if (path.size() < 4)
            return true;
        const UINT driveType = GetDriveTypeA(path.substr(0, 2).append("\\").c_str());
        if (driveType == DRIVE_UNKNOWN || driveType == DRIVE_NO_ROOT_DIR)
            return false;
    }
    if (isDirectory(path))
        return true;
    // The walk passes over the drive's root, or the first character of any
    // other path; every level it creates is recorded.
    createDirectoryChain(path, driveLetter ? 3 : 1, [this](const std::string& level) {
        uninstallLog_.addEntry(UninstallLog::CreatedFolder, level);
    });
    return isDirectory(path);
}

bool ShortcutRecordHandler::makeShellLink(const std::string& path) {
    ComPointer<IShellLinkA> link;
    if (FAILED(CoCreateInstance(shellLinkClass, nullptr, CLSCTX_INPROC_SERVER, shellLinkInterface,
                                link.receive()))) {
        errorLog_.add("can't get IShellLink interface");
        return false;
    }

    std::string target = cursor_.next();
    context_.expandVariables(target);
    link->SetPath(target.c_str());
    const std::string arguments = cursor_.next();
    if (!arguments.empty())
        link->SetArguments(arguments.c_str());
    const std::string iconFile = cursor_.next();
    const std::string iconIndex = cursor_.next();
    if (!iconFile.empty())
        link->SetIconLocation(iconFile.c_str(), parseDecimal(iconIndex));
    const std::string showCommand = cursor_.next();
    if (!showCommand.empty())
        link->SetShowCmd(parseDecimal(showCommand));
    const std::string workingDirectory = cursor_.next();
    if (!workingDirectory.empty())
        link->SetWorkingDirectory(workingDirectory.c_str());

    ComPointer<IPersistFile> persist;
    if (FAILED(link->QueryInterface(persistFileInterface, persist.receive()))) {
        errorLog_.add("can't get IPersistFile interface");
        return false;
    }
    return save(*persist.get(), path);
}

bool ShortcutRecordHandler::makeInternetShortcut(const std::string& path) {
    ComPointer<IUniformResourceLocatorA> shortcut;
    if (FAILED(CoCreateInstance(internetShortcutClass, nullptr, CLSCTX_INPROC_SERVER, urlInterface,
                                shortcut.receive())))
        return false;
    const std::string url = cursor_.next();
    if (FAILED(shortcut->SetURL(url.c_str(), IURL_SETURL_FL_USE_DEFAULT_PROTOCOL)))
        return false;
    ComPointer<IPersistFile> persist;
    if (FAILED(shortcut->QueryInterface(persistFileInterface, persist.receive())))
        return false;
    return save(*persist.get(), path);
}

bool ShortcutRecordHandler::save(IPersistFile& persist, const std::string& path) {
    WCHAR widePath[MAX_PATH];
    const bool fits = path.size() < MAX_PATH &&
                      MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH) > 0;
    if (!fits || FAILED(persist.Save(widePath, FALSE))) {
        errorLog_.add("can't save shortcut:" + path);
        return false;
    }
    uninstallLog_.addEntryAs(UninstallLog::ShortcutFiles, UninstallLog::InstalledFile, path);
    return true;
}
