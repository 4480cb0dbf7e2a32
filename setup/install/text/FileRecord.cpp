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

std::vector<std::string> directoryWalk(const std::string& path) {
    std::string::size_type start;
    if (path.compare(0, 2, "\\\\") == 0) {
        const std::string::size_type serverEnd = path.find('\\', 2);
        if (serverEnd == std::string::npos)
            return {};
        const std::string::size_type shareEnd = path.find('\\', serverEnd + 1);
        if (shareEnd == std::string::npos)
            return {};
        start = shareEnd + 1;
    } else {
        const std::string::size_type first = path.find('\\');
        if (first == std::string::npos)
            return {};
        start = first + 1;
    }

    std::vector<std::string> levels;
    for (std::string::size_type at = path.find('\\', start); at != std::string::npos;
         at = path.find('\\', at + 1))
        levels.push_back(path.substr(0, at));
    levels.push_back(path);
    return levels;
}
