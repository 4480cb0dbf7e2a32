#pragma once

#include <string>

// The fields of a program-run command: "path,parameters,directory,show,
// reserved,noWait,rest". Fields are separated by ','; there is no quoting, no
// escape and no trimming. Missing fields are empty (numbers 0).
struct RunAppCommand {
    std::string path;
    std::string parameters;
    std::string directory; // empty: the setup's own current directory
    int show = 0;          // SW_... show command; 0 hides the window
    int reserved = 0;      // read, not used
    int noWait = 0;        // 0: wait for the program to end
    std::string rest;      // seventh field, up to the next comma; not used

    // Splits an already expanded command text.
    static RunAppCommand parse(const std::string& command);

    // True when the path names something to start as a process (it contains
    // ".exe" or ".bat", case-sensitively, anywhere); otherwise the shell opens it.
    bool startsAsProcess() const;

    // The command line of a process start: the path in double quotes, then a
    // blank and the parameters when there are any.
    std::string commandLine() const;
};
