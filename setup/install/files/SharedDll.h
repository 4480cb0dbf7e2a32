#pragma once

#include <cstdint>
#include <string>

// Adds one to the file's count in the system's shared-DLL table (the key
// HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\SharedDLLs, one REG_DWORD
// per file, named by its full path) and returns the new count. A value that
// is missing or not a 4-byte number starts again at 1. Returns -1, and
// changes nothing, when the key cannot be opened; the key is never created.
std::int32_t incrementSharedCount(const std::string& path);

// Runs Regsvr32.exe from the setup program's own directory silently on the
// file, with a hidden window, and waits for it. Nothing is reported: a
// registration program that is missing or fails is ignored.
void selfRegister(const std::string& path);

// The command line selfRegister runs: both paths quoted, as either may
// contain spaces.
std::string registrationCommand(const std::string& programDirectory, const std::string& path);
