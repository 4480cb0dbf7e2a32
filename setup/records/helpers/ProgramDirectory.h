#pragma once

#include <string>

// The directory of the running program, without a trailing '\'; empty when
// the program's name cannot be had whole.
std::string programDirectory();
