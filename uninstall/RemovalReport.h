#pragma once

#include <string>
#include <vector>

// What a removal could not finish, for the final message and the exit code.
struct RemovalReport {
    // Files, folders and registry keys or values that stay, in the order met.
    std::vector<std::string> itemsLeft;
    // Some item goes only when the computer restarts.
    bool restartNeeded = false;
};
