#pragma once

#include <string>

// Splits one installation record into its comma-separated fields. A field is
// exactly the text between two commas: nothing is trimmed and nothing quotes a
// comma. Reading past the last field gives empty fields, so a handler never
// has to count them.
//
// A cursor made with `decodeCommas` turns every "&comma;" of a field into a
// comma after splitting, so a decoded comma never separates fields.
class RecordFieldCursor {
public:
    explicit RecordFieldCursor(bool decodeCommas = false) : decodeCommas_(decodeCommas) {}

    // Keeps `record` and returns its first field: the text before the first
    // comma, or the whole record when it has none.
    std::string first(const std::string& record);

    // The field after the previous one. False, with `field` empty, when the
    // previous field was the last; a trailing comma yields one more, empty,
    // field before that.
    bool next(std::string& field);

    // next() for callers that read a missing field as empty text.
    std::string next() {
        std::string field;
        next(field);
        return field;
    }

private:
    std::string take(std::string::size_type start);

    std::string record_;
    // Start of the next field; npos once the last field has been read.
    std::string::size_type position_ = std::string::npos;
    bool decodeCommas_;
};

// Replaces each "&comma;" of `field` by one comma, left to right; the search
// goes on from the comma just written, so "&comma;&comma;" gives ",,". Linear
// in the field's length.
void decodeCommaEscapes(std::string& field);
