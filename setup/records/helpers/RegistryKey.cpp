#include "setup/records/helpers/RegistryKey.h"

bool RegistryKey::open(HKEY root, const std::string& subkey, REGSAM access) {
    reset();
    if (RegOpenKeyExA(root, subkey.c_str(), 0, access, &key_) == ERROR_SUCCESS)
        return true;
    key_ = nullptr;
    return false;
}

bool RegistryKey::create(HKEY root, const std::string& subkey, bool* created) {
    reset();
    char emptyClass[] = "";
    DWORD disposition = 0;
    if (RegCreateKeyExA(root, subkey.c_str(), 0, emptyClass, 0, KEY_ALL_ACCESS, nullptr, &key_,
                        &disposition) != ERROR_SUCCESS) {
        key_ = nullptr;
        return false;
    }
    if (created)
        *created = disposition == REG_CREATED_NEW_KEY;
    return true;
}

void RegistryKey::reset() {
    if (key_)
        RegCloseKey(key_);
    key_ = nullptr;
}
