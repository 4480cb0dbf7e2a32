#include "uninstall/RegistryRemoval.h"

#include "setup/records/helpers/RegistryKey.h"
#include "setup/records/helpers/RegistryRoot.h"

#include <windows.h>

namespace {

// How the report shows a key: "HKCU\Software\Product".
std::string shownKey(const std::string& root, const std::string& subkey) {
    return root + "\\" + subkey;
}

// Whether the key holds a value with a name.
bool hasNamedValue(HKEY key) {
    for (DWORD index = 0;; ++index) {
        char name[16384];
        DWORD length = sizeof name;
        const LONG result =
            RegEnumValueA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS)
            return false;
        if (result != ERROR_SUCCESS || length != 0)
            return true;
    }
}

// Splits "root,rest" into the root's handle and the rest; false for an
// unknown root, no comma or nothing after it.
bool splitRoot(const std::string& entry, std::string& root, HKEY& handle, std::string& rest) {
    const std::string::size_type comma = entry.find(',');
    if (comma == std::string::npos || comma + 1 == entry.size())
        return false;
    root = entry.substr(0, comma);
    handle = rootKey(root);
    rest = entry.substr(comma + 1);
    return handle != nullptr;
}

} // namespace

void removeRegistryValue(const std::string& entry, RemovalReport& report) {
    std::string root, rest;
    HKEY rootHandle = nullptr;
    if (!splitRoot(entry, root, rootHandle, rest))
        return;
    for (std::string::size_type comma = rest.rfind(','); comma != std::string::npos;
         comma = comma == 0 ? std::string::npos : rest.rfind(',', comma - 1)) {
        const std::string subkey = rest.substr(0, comma);
        std::string name = rest.substr(comma + 1);
        if (name == "(Default)")
            name.clear();
        RegistryKey key;
        if (subkey.empty() || !key.open(rootHandle, subkey, KEY_QUERY_VALUE | KEY_SET_VALUE))
            continue;
        if (RegQueryValueExA(key.get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            continue;
        if (RegDeleteValueA(key.get(), name.c_str()) != ERROR_SUCCESS)
            report.itemsLeft.push_back(shownKey(root, subkey) + " : " + rest.substr(comma + 1));
        return;
    }
}

void removeRegistryKey(const std::string& entry, RemovalReport& report) {
    std::string root, subkey;
    HKEY rootHandle = nullptr;
    if (!splitRoot(entry, root, rootHandle, subkey))
        return;
    {
        RegistryKey key;
        if (!key.open(rootHandle, subkey, KEY_READ))
            return;
        DWORD subkeys = 0;
        if (RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
            subkeys != 0 || hasNamedValue(key.get())) {
            report.itemsLeft.push_back(shownKey(root, subkey));
            return;
        }
    }
    if (RegDeleteKeyA(rootHandle, subkey.c_str()) != ERROR_SUCCESS)
        report.itemsLeft.push_back(shownKey(root, subkey));
}
