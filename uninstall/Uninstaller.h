#pragma once

#include "setup/install/base/ReplaceAtRestart.h"
#include "uninstall/PathSet.h"
#include "uninstall/RemovalReport.h"
#include "uninstall/UninstallPlan.h"

#include <functional>
#include <string>
#include <vector>

class SharedFileQuestion;

// Removes what the log names, in the reverse order of the installation: the
// before-uninstall program, the registrations of the DLLs that go, the
// registry values and then keys, the shared files whose count ends, the
// application files (the log itself last), and the folders that are empty.
// System files stay: other programs may rely on them. Nothing the log does not
// name is removed.
class Uninstaller {
public:
    // `logPath` and `programPath` (the running uninstaller) are full paths.
    // `registrationProgram` unregisters the DLLs.
    Uninstaller(const UninstallPlan& plan, const std::string& logPath,
                const std::string& programPath, const std::string& registrationProgram,
                RestartMechanism mechanism);

    // Decides, before anything is removed, which shared files go: those whose
    // count ends with this removal, or that nobody counts, go when `question`
    // says so; without a question they all stay.
    void decideSharedFiles(SharedFileQuestion* question);

    // How far the removal is: steps done of the whole.
    using Progress = std::function<void(int done, int total)>;

    // Removes everything; `progress` (may be empty) hears after each step.
    RemovalReport run(const Progress& progress);

    // What can go only after the program has ended: the program file itself
    // when the log names it (empty otherwise), and the folders that hold
    // nothing but it, innermost first.
    const std::string& programFileToRemove() const { return programFile_; }
    const std::vector<std::string>& foldersAfterProgram() const { return foldersAfterProgram_; }

private:
    void unregisterDlls();
    void removeSharedFiles(class FileRemover& remover, RemovalReport& report);
    void removeFolders(const std::vector<std::string>& folders, class FileRemover& remover);
    void step();

    const UninstallPlan& plan_;
    std::string logPath_;
    std::string programPath_;
    std::string registrationProgram_;
    RestartMechanism mechanism_;
    PathSet sharedFilesToRemove_;

    std::string programFile_;
    PathSet afterProgram_;
    // Files that stay by design (system files, shared files still counted or
    // kept), and the folders that stay for them.
    PathSet keptOnPurpose_;
    std::vector<std::string> foldersAfterProgram_;

    Progress progress_;
    int done_ = 0;
    int total_ = 0;
};
