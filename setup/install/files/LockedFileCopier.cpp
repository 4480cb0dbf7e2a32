#include "setup/install/files/LockedFileCopier.h"

#include "setup/config/SetupContext.h"
#include "setup/config/WindowsVersion.h"
#include "setup/install/text/FileRecord.h"
#include "setup/install/files/InUseQuestion.h"

#include <windows.h>

bool LockedFileCopier::copy(const std::string& source, const std::string& destination, int flags) {
    sourceStillNeeded_ = false;
    for (;;) {
        if (CopyFileA(source.c_str(), destination.c_str(), FALSE))
            return true;
        if (!(flags & FileRecord::AskWhenInUse) || question_ == nullptr)
            break;
        context_.setVariable("InUseFilePathname", destination);
        const InUseQuestion::Answer answer = question_->ask(destination);
        if (answer == InUseQuestion::Retry)
            continue;
        if (answer == InUseQuestion::Abort) {
            context_.setAbortRequested(true);
            return false;
        }
        break;
    }

    const WindowsVersion version;
    if (version.isNT()) {
        restartNeeded_ = true;
        sourceStillNeeded_ = replaceOnNT(source, destination);
    } else if (version.is9x()) {
        restartNeeded_ = true;
        sourceStillNeeded_ = replaceThroughWinInit(source, destination);
    }
    return false;
}

bool LockedFileCopier::replaceOnNT(const std::string& source, const std::string& destination) {
    // Best: move the file in use aside (a running program keeps its handle),
    // put the new file in place now, and delete the old one at restart.
    const std::string sideName = findSideName(destination);
    if (!sideName.empty() &&
        MoveFileExA(destination.c_str(), sideName.c_str(), MOVEFILE_COPY_ALLOWED)) {
        if (CopyFileA(source.c_str(), destination.c_str(), TRUE)) {
            if (MoveFileExA(sideName.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT))
                return false;
        } else {
            // Without the new file the destination would be missing until the
            // restart: put the old one back.
            MoveFileExA(sideName.c_str(), destination.c_str(), 0);
        }
    }
    // Otherwise the system moves the new file over the old one at restart.
    return MoveFileExA(source.c_str(), destination.c_str(),
                       MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_REPLACE_EXISTING) != FALSE;
}

bool LockedFileCopier::replaceThroughWinInit(const std::string& source,
                                             const std::string& destination) {
    const std::string file = winInitPath();
    return !file.empty() && addWinInitRename(file, destination, source);
}
