#pragma once

#include <string>

// The question the installation asks when a file it must replace cannot be
// written now, typically because a running program holds it. The wizard
// answers it with its files-in-use dialog; tests answer for the user. It is
// asked on the installation thread, after the variable InUseFilePathname has
// been set to the file's path.
class InUseQuestion {
public:
    enum Answer {
        Retry,  // the user closed the program: try the copy again
        Cancel, // replace the file at the next restart
        Abort,  // stop the installation after this file
    };

    virtual ~InUseQuestion() = default;
    virtual Answer ask(const std::string& path) = 0;
};
