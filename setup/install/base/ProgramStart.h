#pragma once

#include <string>

// Starts the program a command line names and lets it run on its own: the
// program part in quotes (see ProgramCommandLine), the arguments as written,
// the program's folder as its current folder, the caller's environment, no
// waiting. True when the process started.
bool startProgram(const std::string& commandLine);
