#pragma once

#include <string>
#include <vector>

// The arguments of uninstall.exe: "/S" or "-s" (any case) for a silent run,
// and at most one more argument, the log to use. The finishing copy that
// removes the program after it ended is started with "/finish", the handle of
// the process to wait for, the program file and its folders.
struct UninstallCommandLine {
    bool silent = false;
    std::string logPath;
    bool finishing = false;
    unsigned long long waitHandle = 0;
    std::vector<std::string> finishPaths;
    // Why the line is not understood; empty when it is.
    std::string problem;

    // `arguments` is the line without the program's name.
    static UninstallCommandLine parse(const std::string& arguments);
};

// Splits a command line at blanks and tabs outside double quotes; the quotes
// themselves are dropped. Paths cannot hold a double quote, so none is escaped.
std::vector<std::string> splitArguments(const std::string& line);

// The command line of the running program without its own name.
std::string argumentsOf(const std::string& commandLine);
