#include "setup/records/helpers/RegistryRoot.h"

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
