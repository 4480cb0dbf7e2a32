#pragma once

#include <string>

// Reads the value `valueName` (empty: the key's default value) of the key
// HKEY_LOCAL_MACHINE\Software\<keyPath> as text. Strings (REG_SZ,
// REG_EXPAND_SZ) come back as stored, with %...% references left unexpanded;
// a REG_DWORD comes back as a signed decimal number (4294967295 gives "-1").
// Returns true for these. A value that does not fit 260 bytes cannot be read.
//
// False, without a message, when no text was obtained: `text` is then empty
// when the key or value cannot be read, "Binary data" for REG_BINARY and
// "Can't convert to string" for any other type.
bool readRegistryText(const std::string& keyPath, const std::string& valueName, std::string& text);

// The same for "Software\<key path>\<value name>", split at the last '\' into
// key path and value name. The leading "Software\" may be left out.
bool readRegistryText(const std::string& valuePath, std::string& text);
