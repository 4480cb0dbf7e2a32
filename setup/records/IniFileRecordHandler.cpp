#include "setup/records/IniFileRecordHandler.h"

#include <windows.h>

IniFileRecordHandler::IniFileRecordHandler(UninstallLog&, ErrorLog&) {}

bool IniFileRecordHandler::process(const std::string& record) {
    const std::string file = cursor_.first(record);
    const std::string section = cursor_.next();
    const std::string key = cursor_.next();
    const std::string value = cursor_.next();
    if (file.empty())
        return false;
    // Never null pointers: a null key or value would delete entries instead.
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) !=
           FALSE;
}
