#pragma once

#include "uninstall/UninstallPlan.h"

#include <string>

// Turns the bytes of setup.log into text: an encoded log (first byte 0xA4,
// every byte complemented) is complemented back, a text log (first byte '[')
// is taken as it is. False for anything else, the text then unchanged.
bool decodeLogBytes(std::string& bytes);

// Reads the text of a log into `plan`. The log must hold the ten sections in
// their fixed order, each once, every line ended by CR LF; [COMMON] holds the
// application name and exactly thirteen dialog lines; file and folder entries
// are full paths the platform can take; registry entries start with a known
// root and name a key; [RUNAPPS] holds at most one "BeforeUninstall=" line.
// False at the first line that breaks a rule, with `problem` saying which
// line and why; `plan` is then incomplete and must not be used.
bool parseLogText(const std::string& text, UninstallPlan& plan, std::string& problem);
