#pragma once

#include "setup/records/RecordHandler.h"

#include <string>

class RegistryRecordHandler;

// Carries out file type records, read through the registry handler's cursor
// ("&comma;" decoded):
//   <extension>,<type name>,<description>,<open command>[,<icon file>[,<icon index>]]
// Under HKEY_CLASSES_ROOT the extension's default value names the type, the
// type's is the description, <type>\shell\open\command holds the command and,
// with an icon file, <type>\DefaultIcon the icon. The default values are
// strings stored without a terminating zero. Every key of the association is
// recorded in the registry handler's uninstall log, new or not. Nothing is
// ever reported: a key that cannot be made ends the record silently.
class FileTypeRecordHandler : public RecordHandler {
public:
    // `registry` is not owned.
    explicit FileTypeRecordHandler(RegistryRecordHandler& registry);

    // False when the record was skipped or a key could not be made.
    bool process(const std::string& record) override;

private:
    RegistryRecordHandler& registry_;
};
