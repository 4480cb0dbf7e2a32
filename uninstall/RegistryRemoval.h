#pragma once

#include "uninstall/RemovalReport.h"

#include <string>

// Removes the value of a log entry "root,subkey,name" ("(Default)" or an empty
// name: the key's default value). Subkeys and names may hold commas; the
// entry names the first value, splitting at its commas from the last one
// back, that exists. A value that is gone already is removed.
void removeRegistryValue(const std::string& entry, RemovalReport& report);

// Removes the key of a log entry "root,subkey" when it holds no subkey and no
// named value: the uninstall log lists the values the installation set, but
// not the default values of the keys it made, so a default value belongs to
// its key. A key holding more stays and is reported.
void removeRegistryKey(const std::string& entry, RemovalReport& report);
