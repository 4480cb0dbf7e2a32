#include "setup/records/FileTypeRecordHandler.h"

#include "setup/install/base/UninstallLog.h"
#include "setup/records/text/RecordFieldCursor.h"
#include "setup/records/RegistryRecordHandler.h"
#include "setup/records/helpers/RegistryRoot.h"

#include <windows.h>

namespace {

// Creates or opens `subkey` of HKEY_CLASSES_ROOT and sets its default value to
// `text`, without a terminating zero. The write's result is not looked at.
bool setDefaultText(const std::string& subkey, const std::string& text) {
    RegistryKey key;
    if (!key.create(HKEY_CLASSES_ROOT, subkey))
        return false;
    RegSetValueExA(key.get(), "", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size()));
    return true;
}

} // namespace

FileTypeRecordHandler::FileTypeRecordHandler(RegistryRecordHandler& registry)
    : registry_(registry) {}

bool FileTypeRecordHandler::process(const std::string& record) {
    RecordFieldCursor& cursor = registry_.cursor();
    const std::string extension = cursor.first(record);
    const std::string typeName = cursor.next();
    const std::string description = cursor.next();
    const std::string command = cursor.next();
    const std::string iconFile = cursor.next();
    const std::string iconIndex = cursor.next();

    // An empty name would address HKEY_CLASSES_ROOT itself: its default value
    // would be overwritten and the root recorded for removal.
    if (extension.empty() || typeName.empty())
        return false;

    UninstallLog& log = registry_.uninstallLog();
    const auto logKey = [&log](const std::string& subkey) {
        log.addEntry(UninstallLog::RegistryKey, "HKCR," + subkey);
    };

    if (!setDefaultText(extension, typeName))
        return false;
    logKey(extension);

    if (!setDefaultText(typeName, description))
        return false;
    logKey(typeName);

    const std::string commandKey = typeName + "\\shell\\open\\command";
    if (!setDefaultText(commandKey, command))
        return false;
    logKey(typeName + "\\shell");
    logKey(typeName + "\\shell\\open");
    logKey(commandKey);

    if (iconFile.empty())
        return true;
    const std::string icon = iconIndex.empty() ? iconFile : iconFile + "," + iconIndex;
    const std::string iconKey = typeName + "\\DefaultIcon";
    if (!setDefaultText(iconKey, icon))
        return false;
    logKey(iconKey);
    return true;
}
