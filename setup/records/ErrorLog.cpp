#include "setup/records/ErrorLog.h"

#include "setup/install/base/UninstallLog.h"
#include "setup/records/helpers/WholeFile.h"
#include "setup/records/text/PathText.h"

ErrorLog::ErrorLog(const std::string& appDir, UninstallLog& uninstallLog)
    : path_(joinPath(appDir, "error.log")), uninstallLog_(uninstallLog) {}

ErrorLog::~ErrorLog() {
    try {
        write();
    } catch (...) {
    }
}

void ErrorLog::add(const std::string& message) {
    messages_.push_back(message);
}

void ErrorLog::write() {
    if (messages_.empty())
        return;
    std::string text;
    for (const std::string& message : messages_)
        text += message + "\r\n";

    writeWholeFile(path_, text);

    messages_.clear();
    uninstallLog_.setFileClass(UninstallLog::ApplicationFiles);
    uninstallLog_.addEntry(UninstallLog::InstalledFile, path_);
}
