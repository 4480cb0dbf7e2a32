#pragma once

#include "setup/records/helpers/RegistryKey.h"

#include <windows.h>

#include <string>

// The root key named exactly "HKCR", "HKCU", "HKLM" or "HKU"; nullptr for any
// other text (other case, long names and surrounding blanks included).
HKEY rootKey(const std::string& name);
