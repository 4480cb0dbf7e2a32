#pragma once

#include <cstdint>
#include <string>

// The system's shared-DLL table is the key
// HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\SharedDLLs: one REG_DWORD per
// file, named by its full path, counting the installed products that use the
// file. None of these functions creates the key.

// Adds one to the file's count and returns the new count. A value that is
// missing or not a 4-byte number starts again at 1. Returns -1, and changes
// nothing, when the key cannot be opened.
std::int32_t incrementSharedCount(const std::string& path);

// The file's count as it stands; -1 when the key cannot be opened or the file
// has no value that reads as a 4-byte number.
std::int32_t sharedCount(const std::string& path);

// Takes one off the file's count and returns what is left. A count of one or
// less is not written as zero: the value is deleted and 0 returned, as nobody
// uses the file any more. Returns -1, and changes nothing, when the file has
// no readable count or the key cannot be opened.
std::int32_t decrementSharedCount(const std::string& path);

// Runs Regsvr32.exe from the setup program's own directory silently on the
// file, with a hidden window, and waits for it. Nothing is reported: a
// registration program that is missing or fails is ignored.
void selfRegister(const std::string& path);

// Runs the registration program `program` silently with its unregister switch
// on the file, with a hidden window, and waits for it. Nothing is reported.
void selfUnregister(const std::string& program, const std::string& path);

// The command line of the registration program `program` run silently on the
// file, asked to unregister it when `unregister` is set: both paths quoted, as
// either may contain spaces.
std::string registrationCommand(const std::string& program, const std::string& path,
                                bool unregister = false);
