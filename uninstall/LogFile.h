#pragma once

#include "uninstall/UninstallPlan.h"

#include <string>

// setup.log read from the disk and checked whole before anything is removed.
struct LogReading {
    enum Status {
        Read,     // `plan` holds the log
        Missing,  // there is no file of that name: nothing to remove
        Unusable, // the file cannot be read or is not a log; `problem` says why
    };
    Status status = Missing;
    std::string problem;
    UninstallPlan plan;
};

// Reads, decodes and checks the log at `path`. Never changes the file.
LogReading readLogFile(const std::string& path);
