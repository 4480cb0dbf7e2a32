#pragma once

#include <string>

// Files that the system moves or deletes when the computer restarts: the
// pending file operations of NT, and the [Rename] section of WinInit.Ini that
// Windows 95, 98 and ME work through at start-up.

// How the running system replaces or deletes files at restart.
enum class RestartMechanism {
    PendingOperations, // NT: MoveFileExA with MOVEFILE_DELAY_UNTIL_REBOOT
    WinInitIni,        // 95/98/ME: a line in [Rename] of WinInit.Ini
    None,              // neither: nothing can be scheduled
};

// The first free side name of `path` (path followed by 001 ... 998, the first
// one no file or directory has); empty when all are taken.
std::string findSideName(const std::string& path);

// Inserts "destination=source" as the first entry of [Rename] in the file
// `winInitPath`, creating the file and the section as needed, in place
// through a file mapping. An empty destination is written as NUL, which asks
// for the source to be deleted. False, with the file as it was, when it
// cannot be opened or mapped.
bool addWinInitRename(const std::string& winInitPath, const std::string& destination,
                      const std::string& source);

// WinInit.Ini in the Windows directory; empty when that directory cannot be had.
std::string winInitPath();

// Has the system delete the file or empty folder `path` at the next restart.
// Entries are carried out in the order they were made, so a folder scheduled
// after the files in it goes once they are gone. False when nothing could be
// scheduled.
bool deleteAtRestart(const std::string& path, RestartMechanism mechanism);
