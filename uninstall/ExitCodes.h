#pragma once

// What uninstall.exe returns.
enum UninstallExitCode {
    ExitRemoved = 0,        // everything the log names is gone
    ExitNoLog = 1,          // no log: nothing to do
    ExitCancelled = 2,      // the user said No; nothing changed
    ExitItemsLeft = 3,      // finished, but items stay (listed in the final message)
    ExitRestartNeeded = 4,  // finished; files in use go at the next restart
    ExitUnusableLog = 5,    // the log cannot be read or is damaged; nothing changed
    ExitBadCommandLine = 6, // an unknown switch; nothing changed
};
