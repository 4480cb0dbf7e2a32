#include "setup/install/FileRecord.h"

#include "setup/records/RecordFieldCursor.h"

#include <climits>
#include <cstdint>

namespace {

bool isWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

int leadingNumber(const std::string& text) {
    std::string::size_type i = 0;
    while (i < text.size() && isWhiteSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate the magnitude with a ceiling just above the range of int, so
    // that a long run of digits cannot overflow.
    const std::int64_t ceiling = static_cast<std::int64_t>(INT_MAX) + 1;
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > ceiling)
            magnitude = ceiling;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > INT_MAX)
        return INT_MAX;
    return static_cast<int>(value);
}

bool parseFileRecord(const std::string& record, FileRecord& file) {
    RecordFieldCursor fields(true);
    fields.first(record);
    std::string member, destination;
    if (!fields.next(member) || !fields.next(destination))
        return false;
    file.member = member;
    file.destination = destination;
    file.flags = leadingNumber(fields.next());
    file.mode = leadingNumber(fields.next());
    file.attributes = leadingNumber(fields.next());
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
