// Record fields and the numbers in them against plain references: the input
// is one record, split by both kinds of cursor; every field is read as
// numbers in several bases and as the bytes of a binary registry value.
#include "fuzz/FuzzCheck.h"
#include "setup/records/text/RecordFieldCursor.h"
#include "setup/records/text/TextNumber.h"
#include "tests/records/CommaEscapeReference.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// The record's fields: the text between commas, every one of them.
std::vector<std::string> splitAtCommas(const std::string& record) {
    std::vector<std::string> fields(1);
    for (const char c : record) {
        if (c == ',')
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

std::vector<std::uint8_t> binaryTokens(const std::string& text) {
    std::vector<std::uint8_t> bytes;
    std::string token;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const bool separator = i == text.size() || text[i] == ' ' || text[i] == '\t' ||
                               text[i] == '\r' || text[i] == '\n';
        if (!separator) {
            token += text[i];
            continue;
        }
        if (!token.empty())
            bytes.push_back(static_cast<std::uint8_t>(reference::strtoul32(token, 16) & 0xFF));
        token.clear();
    }
    return bytes;
}

void checkCursor(const std::string& record, bool decode) {
    std::vector<std::string> expected = splitAtCommas(record);
    if (decode) {
        for (std::string& field : expected)
            field = decodeInPlace(field);
    }
    RecordFieldCursor cursor(decode);
    std::vector<std::string> fields{cursor.first(record)};
    std::string field;
    while (cursor.next(field))
        fields.push_back(field);
    FUZZ_CHECK(field.empty());
    FUZZ_CHECK(fields == expected);
    FUZZ_CHECK(!cursor.next(field) && field.empty());
}

void checkNumbers(const std::string& text) {
    for (const int base : {0, 1, 2, 8, 10, 16, 36, 37})
        FUZZ_CHECK(parseUnsigned(text, base) == reference::strtoul32(text, base));
    FUZZ_CHECK(parseDecimal(text) == reference::atoi32(text));
    FUZZ_CHECK(readBinaryTokens(text) == binaryTokens(text));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string record(reinterpret_cast<const char*>(data), size);
    checkCursor(record, false);
    checkCursor(record, true);
    checkNumbers(record);
    for (const std::string& field : splitAtCommas(record))
        checkNumbers(field);
    return 0;
}
