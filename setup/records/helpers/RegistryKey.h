#pragma once

#include <windows.h>

#include <string>

// Owns an open registry key; closes it on destruction.
class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() { reset(); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // Opens the existing key `subkey` of `root` with the access asked for.
    bool open(HKEY root, const std::string& subkey, REGSAM access = KEY_ALL_ACCESS);
    // Opens `subkey` of `root`, creating it and any missing parents, as a
    // non-volatile key with all access. `created` tells whether it was new.
    bool create(HKEY root, const std::string& subkey, bool* created = nullptr);

    HKEY get() const { return key_; }

private:
    void reset();

    HKEY key_ = nullptr;
};
