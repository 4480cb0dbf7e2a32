#include "setup/records/RegistryRoot.h"

HKEY rootKey(const std::string& name) {
    if (name == "HKCR")
        return HKEY_CLASSES_ROOT;
    if (name == "HKCU")
        return HKEY_CURRENT_USER;
    if (name == "HKLM")
        return HKEY_LOCAL_MACHINE;
    if (name == "HKU")
        return HKEY_USERS;
    return nullptr;
}

bool RegistryKey::open(HKEY root, const std::string& subkey) {
    reset();
    if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_ALL_ACCESS, &key_) == ERROR_SUCCESS)
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
