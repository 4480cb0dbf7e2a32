#include "setup/install/base/UninstallLog.h"

#include "setup/records/helpers/WholeFile.h"
#include "setup/records/text/PathText.h"

namespace {

const char* const sectionNames[] = {"COMMON", "SHAREDFILES", "STDFILES", "APPFILES", "APPFOLDERS",
                                    "APPDIR", "REGVALUES",   "REGENTRY", "REGDLLS",  "RUNAPPS"};

} // namespace

const char* UninstallLog::sectionName(Section section) {
    return sectionNames[section];
}

UninstallLog::UninstallLog(const std::string& directory, const std::string& fileName, int,
                           bool disabled)
    : disabled_(disabled) {
    if (disabled_)
        return;
    path_ = joinPath(directory, fileName);
    addLocked(ApplicationFilesSection, path_);
}

UninstallLog::~UninstallLog() {
    try {
        write();
    } catch (...) {
    }
}

void UninstallLog::addHeaderLine(const std::string& text) {
    if (disabled_)
        return;
    std::lock_guard<std::mutex> guard(lock_);
    lists_[Common].texts.push_back(text);
}

void UninstallLog::setFileClass(int fileClass) {
    if (disabled_)
        return;
    std::lock_guard<std::mutex> guard(lock_);
    fileClass_ = fileClass;
}

int UninstallLog::fileClass() const {
    std::lock_guard<std::mutex> guard(lock_);
    return fileClass_;
}

void UninstallLog::addEntry(int kind, const std::string& text) {
    if (disabled_)
        return;
    std::lock_guard<std::mutex> guard(lock_);
    const int section = sectionFor(fileClass_, kind);
    if (section >= 0)
        addLocked(section, text);
}

void UninstallLog::addEntryAs(int fileClass, int kind, const std::string& text) {
    if (disabled_)
        return;
    std::lock_guard<std::mutex> guard(lock_);
    const int section = sectionFor(fileClass, kind);
    if (section >= 0)
        addLocked(section, text);
}

int UninstallLog::sectionFor(int fileClass, int kind) {
    switch (kind) {
    case InstalledFile:
        switch (fileClass) {
        case ApplicationFiles:
        case ShortcutFiles:
            return ApplicationFilesSection;
        case SystemFiles:
            return StandardFiles;
        case SharedFiles:
            return SharedFilesSection;
        default:
            return -1;
        }
    case CreatedFolder:
        switch (fileClass) {
        case ApplicationFiles:
            return ApplicationDirectory;
        case SystemFiles:
        case SharedFiles:
        case ShortcutFiles:
            return ApplicationFolders;
        default:
            return -1;
        }
    case RegisteredDll:
        return RegisteredDlls;
    case RegistryKey:
        return RegistryEntries;
    case RegistryValue:
        return RegistryValues;
    case ProgramRun:
        return RunApps;
    default:
        return -1;
    }
}

void UninstallLog::addLocked(int section, const std::string& text) {
    List& list = lists_[section];
    if (list.seen.insert(text).second)
        list.texts.push_back(text);
}

void UninstallLog::write() {
    std::lock_guard<std::mutex> guard(lock_);
    if (disabled_ || written_)
        return;
    written_ = true;

    std::string text;
    for (int section = 0; section < SectionCount; ++section) {
        text += std::string("[") + sectionNames[section] + "]\r\n";
        const std::vector<std::string>& texts = lists_[section].texts;
        if (section == Common) {
            for (const std::string& line : texts)
                text += line + "\r\n";
        } else {
            for (auto line = texts.rbegin(); line != texts.rend(); ++line)
                text += *line + "\r\n";
        }
    }

    writeWholeFile(path_, text);
}

std::vector<std::string> UninstallLog::entries(const std::string& section) const {
    std::lock_guard<std::mutex> guard(lock_);
    for (int index = 0; index < SectionCount; ++index)
        if (section == sectionNames[index])
            return lists_[index].texts;
    return {};
}
