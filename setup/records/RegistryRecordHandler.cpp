#include "setup/records/RegistryRecordHandler.h"

#include "setup/install/base/UninstallLog.h"
#include "setup/records/ErrorLog.h"
#include "setup/records/text/TextNumber.h"
#include "setup/records/helpers/RegistryRoot.h"

#include <cctype>
#include <cstdint>
#include <vector>

RegistryRecordHandler::RegistryRecordHandler(UninstallLog& uninstallLog, ErrorLog& errorLog)
    : uninstallLog_(uninstallLog), errorLog_(errorLog) {}

bool RegistryRecordHandler::process(const std::string& record) {
    const std::string recordType = cursor_.first(record);
    const std::string rootName = cursor_.next();
    const std::string subkey = cursor_.next();

    // The root is checked before the record type: a record wrong in both
    // reports the root only.
    const HKEY root = rootKey(rootName);
    if (!root) {
        errorLog_.add("Invalid major key:" + rootName);
        return false;
    }

    if (recordType == "key") {
        const bool created = createKey(root, subkey);
        if (created || logMode_ == Always)
            uninstallLog_.addEntry(UninstallLog::RegistryKey, rootName + "," + subkey);
        return created;
    }
    if (recordType == "value") {
        const std::string name = cursor_.next();
        const std::string type = cursor_.next();
        const std::string data = cursor_.next();
        if (!setValue(root, subkey, name, type, data)) {
            errorLog_.add("Cannot create value:key='" + subkey + "' value name='" + name +
                          "' value type='" + type + "' value='" + data);
            return false;
        }
        uninstallLog_.addEntry(UninstallLog::RegistryValue, rootName + "," + subkey + "," + name);
        return true;
    }
    errorLog_.add("Invalid record type(need key or value):" + recordType);
    return false;
}

bool RegistryRecordHandler::createKey(HKEY root, const std::string& subkey) {
    RegistryKey key;
    if (key.open(root, subkey))
        return false;
    if (!key.create(root, subkey)) {
        errorLog_.add("Cannot create key:" + subkey);
        return false;
    }
    return true;
}

bool RegistryRecordHandler::setValue(HKEY root, const std::string& subkey, const std::string& name,
                                     const std::string& type, const std::string& data) {
    RegistryKey key;
    if (!key.open(root, subkey))
        return false;
    const char* valueName = name == "(Default)" ? "" : name.c_str();
    if (type.empty())
        return true;

    DWORD valueType = REG_SZ;
    std::vector<BYTE> bytes;
    if (!data.empty()) {
        switch (std::tolower(static_cast<unsigned char>(type[0]))) {
        case 's':
            bytes.assign(data.begin(), data.end());
            bytes.push_back(0);
            break;
        case 'd': {
            const std::uint32_t number = parseUnsigned(data, 16);
            valueType = REG_DWORD;
            for (int shift = 0; shift < 32; shift += 8)
                bytes.push_back(static_cast<BYTE>(number >> shift));
            break;
        }
        case 'b': {
            const std::vector<std::uint8_t> tokens = readBinaryTokens(data);
            valueType = REG_BINARY;
            bytes.assign(tokens.begin(), tokens.end());
            break;
        }
        default:
            return false;
        }
    }
    static const BYTE nothing = 0;
    return RegSetValueExA(key.get(), valueName, 0, valueType,
                          bytes.empty() ? &nothing : bytes.data(),
                          static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
}
