#include "uninstall/Uninstaller.h"

#include "setup/install/base/RunAppRecord.h"
#include "setup/install/base/SharedDll.h"
#include "setup/records/helpers/PathExists.h"
#include "uninstall/FileRemover.h"
#include "uninstall/RegistryRemoval.h"
#include "uninstall/SharedFileQuestion.h"

Uninstaller::Uninstaller(const UninstallPlan& plan, const std::string& logPath,
                         const std::string& programPath, const std::string& registrationProgram,
                         RestartMechanism mechanism)
    : plan_(plan), logPath_(logPath), programPath_(programPath),
      registrationProgram_(registrationProgram), mechanism_(mechanism) {}

void Uninstaller::decideSharedFiles(SharedFileQuestion* question) {
    sharedFilesToRemove_.clear();
    for (const std::string& path : plan_.sharedFiles) {
        // Another product still counts the file: it stays without a question.
        if (sharedCount(path) > 1 || !exists(path))
            continue;
        if (question != nullptr && question->removeUnusedSharedFile(path))
            sharedFilesToRemove_.insert(path);
    }
}

void Uninstaller::step() {
    ++done_;
    if (progress_)
        progress_(done_, total_);
}

RemovalReport Uninstaller::run(const Progress& progress) {
    progress_ = progress;
    done_ = 0;
    total_ = static_cast<int>(1 + plan_.registeredDlls.size() + plan_.registryValues.size() +
                              plan_.registryKeys.size() + plan_.sharedFiles.size() +
                              plan_.applicationFiles.size() + plan_.applicationFolders.size() +
                              plan_.applicationDirectories.size());
    RemovalReport report;
    FileRemover remover(mechanism_, report);
    keptOnPurpose_.insert(plan_.standardFiles.begin(), plan_.standardFiles.end());

    // The program that has to close before its files go: waited for.
    if (!plan_.beforeUninstall.empty())
        RunAppRecord(plan_.beforeUninstall).run();
    step();

    unregisterDlls();

    for (const std::string& entry : plan_.registryValues) {
        removeRegistryValue(entry, report);
        step();
    }
    for (const std::string& entry : plan_.registryKeys) {
        removeRegistryKey(entry, report);
        step();
    }

    removeSharedFiles(remover, report);

    // The running program cannot delete its own file; the log goes last, so
    // that an interrupted removal can be run again.
    bool logListed = false;
    for (const std::string& path : plan_.applicationFiles) {
        if (samePath(path, logPath_))
            logListed = true;
        else if (samePath(path, programPath_))
            programFile_ = path;
        else
            remover.removeFile(path);
        step();
    }
    if (logListed)
        remover.removeFile(logPath_);
    if (!programFile_.empty())
        afterProgram_.insert(programFile_);

    removeFolders(plan_.applicationFolders, remover);
    removeFolders(plan_.applicationDirectories, remover);
    return report;
}

void Uninstaller::unregisterDlls() {
    // A DLL that stays (a system file, a shared file still in use) keeps its
    // registration: other programs use it through that.
    PathSet staying(plan_.standardFiles.begin(), plan_.standardFiles.end());
    for (const std::string& path : plan_.sharedFiles)
        if (sharedFilesToRemove_.count(path) == 0)
            staying.insert(path);
    for (const std::string& path : plan_.registeredDlls) {
        if (staying.count(path) == 0 && exists(path))
            selfUnregister(registrationProgram_, path);
        step();
    }
}

void Uninstaller::removeSharedFiles(FileRemover& remover, RemovalReport& report) {
    for (const std::string& path : plan_.sharedFiles) {
        const std::int32_t left = decrementSharedCount(path);
        if (left <= 0 && exists(path) && sharedFilesToRemove_.count(path) != 0) {
            remover.removeFile(path);
        } else if (exists(path)) {
            // Still used by another product, or kept as the safe answer:
            // only the latter is worth a word.
            keptOnPurpose_.insert(path);
            if (left <= 0)
                report.itemsLeft.push_back(path);
        }
        step();
    }
}

void Uninstaller::removeFolders(const std::vector<std::string>& folders, FileRemover& remover) {
    for (const std::string& folder : folders) {
        switch (remover.removeFolder(folder, afterProgram_, keptOnPurpose_)) {
        case FileRemover::FolderResult::AfterProgram:
            if (afterProgram_.insert(folder).second)
                foldersAfterProgram_.push_back(folder);
            break;
        case FileRemover::FolderResult::Kept:
            keptOnPurpose_.insert(folder);
            break;
        default:
            break;
        }
        step();
    }
}
