#pragma once

#include <string>

// The full path of the running program's file; empty when it cannot be had
// whole.
std::string programPath();

// The directory of the running program, without a trailing '\'; empty when
// the program's name cannot be had whole.
std::string programDirectory();

// A new empty file with a unique name in the temporary directory, made by the
// system from `prefix` (its first three characters); its path, or empty when
// none could be made.
std::string temporaryFileName(const char* prefix);
