#include "setup/install/text/FileRecord.h"

#include "setup/records/text/RecordFieldCursor.h"
#include "setup/records/text/TextNumber.h"

bool parseFileRecord(const std::string& record, FileRecord& file) {
    RecordFieldCursor fields(true);
    fields.first(record);
    std::string member, destination;
    if (!fields.next(member) || !fields.next(destination))
        return false;
    file.member = member;
    file.destination = destination;
    file.flags = parseDecimal(fields.next());
    file.mode = parseDecimal(fields.next());
    file.attributes = parseDecimal(fields.next());
    return true;
}

std::string withoutTrailingBackslash(const std::string& path) {
    if (!path.empty() && path.back() == '\\')
        return path.substr(0, path.size() - 1);
    return path;
}

std::string folderRecordPath(const std::string& record) {
    return withoutTrailingBackslash(RecordFieldCursor(true).first(record));
}
