#include "setup/install/InstallEngine.h"

#include "setup/config/SetupContext.h"
#include "setup/install/files/FileInstaller.h"
#include "setup/install/base/Restart.h"
#include "setup/install/base/UninstallLog.h"
#include "setup/install/WizardCommands.h"
#include "setup/records/ErrorLog.h"
#include "setup/records/FileTypeRecordHandler.h"
#include "setup/records/IniFileRecordHandler.h"
#include "setup/records/RegistryRecordHandler.h"
#include "setup/records/ShortcutRecordHandler.h"
#include "setup/records/helpers/StatusText.h"
#include "setup/start/errors/ExceptionReport.h"
#include "setup/thread/Sleep.h"

#include <commctrl.h>

namespace {

// Every section the run counts for the overall bar.
const char* const countedSections[] = {
    "APPLICATION_FOLDERS", "SHARED_FOLDERS", "SYSTEM_FOLDERS",   "APPLICATION_FILES",
    "SHARED_FILES",        "SYSTEM_FILES",   "REGISTRY_ENTRIES", "FILE_TYPES",
    "SHORTCUTS",           "INI_FILES",      "SHORTCUT_FOLDERS",
};

const char* const uninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// How long every record is shown on the bars, also in an imitation run.
const DWORD recordPauseMs = 50;

} // namespace

InstallEngine::InstallEngine(HWND pageWindow, SetupContext& context, HWND overallBar, HWND itemBar,
                             HWND statusText, InUseQuestion* question,
                             const std::string& archiveName)
    : pageWindow_(pageWindow), context_(context), overallBar_(overallBar), itemBar_(itemBar),
      statusText_(statusText), question_(question), archiveName_(archiveName) {}

InstallEngine::~InstallEngine() {
    try {
        stop();
    } catch (...) {
        // A wait that fails leaves nothing better to do in a destructor.
    }
}

void InstallEngine::start() {
    Thread::start();
    // Only a thread that runs can be waited for: one the platform refused to
    // resume stays suspended, and stop() must not wait for it.
    started_ = true;
}

void InstallEngine::stop() {
    if (!started_ || wait(0) != WAIT_TIMEOUT)
        return;
    context_.setAbortRequested(true);
    while (wait(0) == WAIT_TIMEOUT) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_SENDMESSAGE);
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

void InstallEngine::run() {
    bool completed = true;
    try {
        completed = install();
    } catch (const WinException& e) {
        failed(reportText(e));
    } catch (const FileException& e) {
        failed(reportText(e));
    } catch (...) {
        failed("Unknown");
    }
    // Last: once the page has the command, the process may end at any time,
    // so nothing the run owns may be left to destroy.
    post(completed ? WZ_INSTALL_DONE : WZ_INSTALL_ABORTED);
}

// The handlers and the error log are gone with the unwound stack (the error
// log has written what it held). What was installed up to the failure is
// still logged; a log already written is not written again, and a log that
// cannot be written is given up without a word.
void InstallEngine::failed(std::string text) {
    failure_ = std::move(text);
    try {
        if (UninstallLog* log = context_.uninstallLog())
            log->write();
    } catch (...) {
    }
}

bool InstallEngine::install() {
    int total = 0;
    for (const char* section : countedSections)
        total += context_.configLineCount(section);
    SendMessageA(overallBar_, PBM_SETRANGE32, 0, total);
    SendMessageA(overallBar_, PBM_SETSTEP, 1, 0);
    showStatus(statusText_, "");

    imitation_ = context_.getFlagVariable("Imitation");
    const bool logDisabled = imitation_ || !context_.getFlagVariable("EnableUninstaller");
    // The icon choices are final once the installation starts.
    createDesktopIcon_ = context_.getFlagVariable("CreateDesktopIcon");
    createQuickLaunchIcon_ = context_.getFlagVariable("CreateQuickLaunchIcon");

    UninstallLog& log = *context_.createUninstallLog(logDisabled);
    ErrorLog errors(context_.getAppDir(), log);
    FileInstaller files(log, statusText_, itemBar_, context_, question_, archiveName_);
    FolderInstaller folders(files);

    // An abort (the Abort answer to a file in use, or stop()) ends the run at
    // once; the uninstall log is then written when the context goes.
    log.setFileClass(UninstallLog::ApplicationFiles);
    if (!runSection("APPLICATION_FOLDERS", folders) || !runSection("APPLICATION_FILES", files))
        return false;
    log.setFileClass(UninstallLog::SharedFiles);
    if (!runSection("SHARED_FOLDERS", folders) || !runSection("SHARED_FILES", files))
        return false;
    log.setFileClass(UninstallLog::SystemFiles);
    if (!runSection("SYSTEM_FOLDERS", folders) || !runSection("SYSTEM_FILES", files))
        return false;
    if (!runSection("SHORTCUT_FOLDERS", folders))
        return false;

    // Assigned, not combined: this run alone decides.
    setRestartPending(files.restartNeeded() || context_.getFlagVariable("ForceRestart"));

    showStatus(statusText_, "Create registry keys");
    RegistryRecordHandler registry(log, errors);
    if (!runSection("REGISTRY_ENTRIES", registry))
        return false;
    FileTypeRecordHandler fileTypes(registry);
    if (!runSection("FILE_TYPES", fileTypes))
        return false;
    {
        // Its own scope: the handler's COM initialisation and status text end
        // with the section.
        ShortcutRecordHandler shortcuts(context_, log, errors, statusText_);
        if (!runSection("SHORTCUTS", shortcuts))
            return false;
    }
    IniFileRecordHandler iniFiles(log, errors);
    if (!runSection("INI_FILES", iniFiles))
        return false;

    if (!imitation_) {
        // The registration must be removed by the uninstaller even when an
        // earlier installation left the key behind.
        registry.setLogMode(RegistryRecordHandler::Always);
        if (context_.getFlagVariable("EnableUninstaller"))
            registerUninstaller(registry);
        registry.setLogMode(RegistryRecordHandler::Normal);
    }
    showStatus(statusText_, "");

    errors.write();
    log.write();
    ShowWindow(pageWindow_, SW_HIDE);
    context_.runAfterInstall();
    return true;
}

bool InstallEngine::runSection(const char* section, RecordHandler& handler) {
    const int count = context_.configLineCount(section);
    // The bar starts every section from its beginning: a new range alone keeps
    // the position the previous section (or extraction) left, and a bar
    // stepped past its end wraps round to the start.
    SendMessageA(itemBar_, PBM_SETRANGE32, 0, count);
    SendMessageA(itemBar_, PBM_SETPOS, 0, 0);
    SendMessageA(itemBar_, PBM_SETSTEP, 1, 0);
    for (int index = 0; index < count; ++index) {
        std::string record;
        if (!imitation_ && context_.configLine(section, index, record)) {
            if (skipped(section, record))
                continue;
            context_.expandVariables(record);
            handler.process(record);
            if (context_.abortRequested())
                return false;
        }
        // A record that cannot be read is shown like any other.
        thread::sleep(recordPauseMs);
        step();
    }
    return !context_.abortRequested();
}

bool InstallEngine::skipped(const char* section, const std::string& record) {
    const std::string name = section;
    if (name == "SHORTCUTS") {
        // The first two characters are the record's kind and its comma. A
        // record shorter than that holds neither name.
        if (!createDesktopIcon_ && record.find("%Desktop%", 2) != std::string::npos)
            return true;
        if (!createQuickLaunchIcon_ && record.find("%QuickLaunchBar%", 2) != std::string::npos)
            return true;
    } else if (name == "SHORTCUT_FOLDERS") {
        if (!createDesktopIcon_ && record.find("%Desktop%") != std::string::npos)
            return true;
    }
    return false;
}

void InstallEngine::registerUninstaller(RecordHandler& registry) {
    // The product name and the application directory come from the user and
    // the author and may hold commas; they are written as "&comma;" so that
    // they stay within their field of the record.
    auto field = [this](std::string text) {
        context_.expandVariables(text);
        std::string escaped;
        for (char c : text) {
            if (c == ',')
                escaped += "&comma;";
            else
                escaped += c;
        }
        return escaped;
    };
    const std::string key = "HKLM," + field(std::string(uninstallKey) + "%ProductName%");
    registry.process("key," + key);
    registry.process("value," + key + ",DisplayName,S," + field("%AddRemoveProgramsDescription%"));
    registry.process("value," + key + ",UninstallString,S," + field("\"%AppDir%\\uninstall.exe\""));
}

void InstallEngine::step() {
    SendMessageA(overallBar_, PBM_STEPIT, 0, 0);
    SendMessageA(itemBar_, PBM_STEPIT, 0, 0);
}

void InstallEngine::post(int command) {
    PostMessageA(pageWindow_, WM_COMMAND, static_cast<WPARAM>(command), 0);
}
