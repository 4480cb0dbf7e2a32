#pragma once

#include "setup/records/text/RecordFieldCursor.h"
#include "setup/records/RecordHandler.h"

#include <string>

class ErrorLog;
class UninstallLog;

// Carries out INI file records, "&comma;" left as written:
//   <file>,<section>,<key>,<value>
// writes <key>=<value> into [<section>] of <file> through the platform's
// profile service (a bare file name lands in the Windows directory). Fields
// after the value are ignored, so a value holds no comma. A record with an
// empty file field is skipped. Nothing is reported and nothing is recorded
// for uninstallation.
class IniFileRecordHandler : public RecordHandler {
public:
    // Neither log is used; they are taken like every record handler's.
    IniFileRecordHandler(UninstallLog& uninstallLog, ErrorLog& errorLog);

    // False when the file field is empty or the platform refused the write.
    bool process(const std::string& record) override;

private:
    RecordFieldCursor cursor_;
};
