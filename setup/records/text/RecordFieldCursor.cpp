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
    std::string::size_type position = field.find(escape);
    while (position != std::string::npos) {
        field.replace(position, escape.size(), 1, ',');
        position = field.find(escape, position);
    }
}
