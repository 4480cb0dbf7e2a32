#include "setup/records/text/RecordFieldCursor.h"

std::string RecordFieldCursor::first(const std::string& record) {
    record_ = record;
    return take(0);
}

bool RecordFieldCursor::next(std::string& field) {
    if (position_ == std::string::npos) {
        field.clear();
        return false;
    }
    field = take(position_);
    return true;
}

std::string RecordFieldCursor::take(std::string::size_type start) {
    const std::string::size_type comma = record_.find(',', start);
    std::string field;
    if (comma == std::string::npos) {
        field = record_.substr(start);
        position_ = std::string::npos;
    } else {
        field = record_.substr(start, comma - start);
        position_ = comma + 1;
    }
    if (decodeCommas_)
        decodeCommaEscapes(field);
    return field;
}

void decodeCommaEscapes(std::string& field) {
    static const std::string escape = "&comma;";
    std::string::size_type match = field.find(escape);
    if (match == std::string::npos)
        return;
    // A written comma cannot be part of an escape, so searching again from it
    // finds the next escape of the original text: one pass that copies the
    // text between escapes gives the same result in linear time.
    std::string decoded;
    decoded.reserve(field.size());
    std::string::size_type from = 0;
    while (match != std::string::npos) {
        decoded.append(field, from, match - from);
        decoded += ',';
        from = match + escape.size();
        match = field.find(escape, from);
    }
    decoded.append(field, from, std::string::npos);
    field.swap(decoded);
}
