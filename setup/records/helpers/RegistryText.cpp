#include "setup/records/helpers/RegistryText.h"

#include "setup/records/text/PathText.h"
#include "setup/records/helpers/RegistryKey.h"

#include <windows.h>

#include <cstdint>
#include <cstring>

namespace {

// Registry values are queried into a buffer of this many bytes.
const DWORD valueBufferSize = 260;

bool startsWithSoftware(const std::string& text) {
    static const char prefix[] = "software\\";
    const std::size_t length = sizeof(prefix) - 1;
    if (text.size() < length)
        return false;
    for (std::size_t i = 0; i < length; ++i) {
        const char c = text[i];
        const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        if (lower != prefix[i])
            return false;
    }
    return true;
}

} // namespace

bool readRegistryText(const std::string& keyPath, const std::string& valueName, std::string& text) {
    text.clear();
    // Zeroed so that a REG_DWORD stored with fewer than four bytes reads as
    // those bytes followed by zeros.
    BYTE buffer[valueBufferSize] = {};
    DWORD size = valueBufferSize;
    DWORD type = REG_NONE;
    {
        RegistryKey key;
        if (!key.open(HKEY_LOCAL_MACHINE, "Software\\" + keyPath, KEY_READ))
            return false;
        if (RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type, buffer, &size) !=
            ERROR_SUCCESS)
            return false;
    }

    switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ: {
        // A stored string need not end in a zero: take no more than was returned.
        const char* chars = reinterpret_cast<const char*>(buffer);
        text.assign(chars, strnlen(chars, size));
        return true;
    }
    case REG_DWORD: {
        std::int32_t value = 0;
        std::memcpy(&value, buffer, sizeof(value));
        text = std::to_string(value);
        return true;
    }
    case REG_BINARY:
        text = "Binary data";
        return false;
    default:
        text = "Can't convert to string";
        return false;
    }
}

bool readRegistryText(const std::string& valuePath, std::string& text) {
    const std::string belowSoftware =
        startsWithSoftware(valuePath) ? valuePath.substr(sizeof("Software\\") - 1) : valuePath;
    const SplitPath parts = splitPath(belowSoftware);
    return readRegistryText(parts.directory, parts.name, text);
}
