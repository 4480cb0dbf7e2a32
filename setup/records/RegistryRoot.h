#pragma once

#include <windows.h>

#include <string>

// The root key named exactly "HKCR", "HKCU", "HKLM" or "HKU"; nullptr for any
// other text (other case, long names and surrounding blanks included).
HKEY rootKey(const std::string& name);

// Owns an open registry key; closes it on destruction.
class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() {
        if (key_)
            RegCloseKey(key_);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // Opens the existing key `subkey` of `root` for all access.
    bool open(HKEY root, const std::string& subkey);
    // Opens `subkey` of `root`, creating it and any missing parents, as a
    // non-volatile key with all access. `created` tells whether it was new.
    bool create(HKEY root, const std::string& subkey, bool* created = nullptr);

    HKEY get() const { return key_; }

private:
    void reset();

    HKEY key_ = nullptr;
};
