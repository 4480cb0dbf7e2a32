#pragma once

#include "setup/install/base/ReplaceAtRestart.h"
#include "uninstall/PathSet.h"
#include "uninstall/RemovalReport.h"

#include <string>

// Deletes files and empty folders. What cannot go now because it is in use is
// handed to the system's deletion at restart; what cannot go at all is
// reported as left. Remembers what goes at restart, so that a folder holding
// nothing else can follow it.
class FileRemover {
public:
    FileRemover(RestartMechanism mechanism, RemovalReport& report)
        : mechanism_(mechanism), report_(report) {}

    // Deletes the file; a file that is not there is already removed. A
    // read-only file is deleted all the same.
    void removeFile(const std::string& path);

    enum class FolderResult {
        Gone,         // removed, or not there
        AtRestart,    // goes at restart, after what is in it
        AfterProgram, // holds what goes after the program ends: goes then too
        Kept,         // holds a file that stays on purpose: stays, not reported
        Left,         // holds something else, or cannot be removed: reported
    };

    // Removes the folder when it is empty. A folder that holds nothing but
    // what goes at restart or is in `afterProgram` is not reported: it goes
    // when they do. One that holds a file of `keptOnPurpose` (and nothing
    // foreign) stays without a report.
    FolderResult removeFolder(const std::string& path, const PathSet& afterProgram,
                              const PathSet& keptOnPurpose);

    const PathSet& scheduled() const { return scheduled_; }

private:
    void scheduleOrReport(const std::string& path);

    RestartMechanism mechanism_;
    RemovalReport& report_;
    PathSet scheduled_;
};
