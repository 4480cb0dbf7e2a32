#include "setup/records/RecordNumber.h"

#include <climits>

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Skips white space and reads an optional sign; returns true for a minus.
bool skipToDigits(const std::string& text, std::string::size_type& at) {
    while (at < text.size() && isSpace(text[at]))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    return negative;
}

} // namespace

std::uint32_t readHexNumber(const std::string& text) {
    std::string::size_type at = 0;
    const bool negative = skipToDigits(text, at);
    // "0x" counts as a prefix only when a digit follows; otherwise the "0" is
    // the number, which reads 0 either way.
    if (at + 2 < text.size() && text[at] == '0' && (text[at + 1] == 'x' || text[at + 1] == 'X') &&
        hexDigit(text[at + 2]) >= 0)
        at += 2;
    std::uint64_t value = 0;
    bool overflow = false;
    for (; at < text.size() && hexDigit(text[at]) >= 0; ++at) {
        value = value * 16 + static_cast<std::uint64_t>(hexDigit(text[at]));
        if (value > UINT32_MAX) {
            overflow = true;
            value = UINT32_MAX;
        }
    }
    if (overflow)
        return UINT32_MAX;
    const std::uint32_t result = static_cast<std::uint32_t>(value);
    return negative ? static_cast<std::uint32_t>(0u - result) : result;
}

int readDecimalNumber(const std::string& text) {
    std::string::size_type at = 0;
    const bool negative = skipToDigits(text, at);
    // The magnitude, held up to one past INT_MAX so that INT_MIN fits.
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(INT_MIN) : INT_MAX;
    std::int64_t value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = value * 10 + (text[at] - '0');
        if (value > limit)
            value = limit;
    }
    return static_cast<int>(negative ? -value : value);
}

std::vector<std::uint8_t> readBinaryTokens(const std::string& text) {
    std::vector<std::uint8_t> bytes;
    std::string::size_type at = 0;
    for (;;) {
        at = text.find_first_not_of(" \t\r\n", at);
        if (at == std::string::npos)
            break;
        std::string::size_type end = text.find_first_of(" \t\r\n", at);
        if (end == std::string::npos)
            end = text.size();
        bytes.push_back(static_cast<std::uint8_t>(readHexNumber(text.substr(at, end - at)) & 0xFF));
        at = end;
    }
    return bytes;
}
