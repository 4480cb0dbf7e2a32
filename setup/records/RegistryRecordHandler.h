#pragma once

#include "setup/records/text/RecordFieldCursor.h"
#include "setup/records/RecordHandler.h"

#include <windows.h>

#include <string>

class ErrorLog;
class UninstallLog;

// Carries out registry records, with "&comma;" decoded in every field:
//   key,<root>,<subkey>
//   value,<root>,<subkey>,<name>,<type>,<data>
// A key record makes sure the key exists; a value record sets one value of an
// existing key. The name "(Default)" or an empty name is the key's default
// value. Only the first character of <type> counts, in either case: 's' a
// string, 'd' a hexadecimal DWORD, 'b' hexadecimal bytes separated by blanks.
// Created keys and set values are recorded in the uninstall log; problems go
// to the error log and end the record.
class RegistryRecordHandler : public RecordHandler {
public:
    enum LogMode {
        // A key is recorded only when the record created it.
        Normal,
        // A key is recorded whatever happened to it (the uninstall
        // registration, which must be removed even when it was there before).
        Always,
    };

    // Neither log is owned.
    RegistryRecordHandler(UninstallLog& uninstallLog, ErrorLog& errorLog);

    bool process(const std::string& record) override;

    void setLogMode(LogMode mode) { logMode_ = mode; }
    LogMode logMode() const { return logMode_; }

    // Opens `subkey` of `root` or else creates it (with missing parents).
    // True only when this call created it; "Cannot create key:" + subkey is
    // reported when it neither opens nor can be created.
    bool createKey(HKEY root, const std::string& subkey);

    // Sets one value of the existing key `subkey`. An empty `type` writes
    // nothing; empty `data` writes an empty string value whatever the type.
    // False when the key does not open, the type letter is unknown or the
    // write is refused; reports nothing itself.
    bool setValue(HKEY root, const std::string& subkey, const std::string& name,
                  const std::string& type, const std::string& data);

    // The field cursor and the uninstall log, shared with the file type
    // handler built over this one.
    RecordFieldCursor& cursor() { return cursor_; }
    UninstallLog& uninstallLog() { return uninstallLog_; }

private:
    RecordFieldCursor cursor_{true};
    LogMode logMode_ = Normal;
    UninstallLog& uninstallLog_;
    ErrorLog& errorLog_;
};
