#include "setup/records/text/TextNumber.h"

#include <climits>

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The value of a digit in bases up to 36; 99 for a byte that is no digit.
int digitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 10;
    return 99;
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

std::uint32_t parseUnsigned(const std::string& text, int base) {
    if (base < 2 || base > 36)
        return 0;
    std::string::size_type at = 0;
    const bool negative = skipToDigits(text, at);
    if (base == 16 && at + 1 < text.size() && text[at] == '0' &&
        (text[at + 1] == 'x' || text[at + 1] == 'X'))
        at += 2;
    std::uint64_t magnitude = 0;
    bool anyDigit = false;
    bool overflow = false;
    for (; at < text.size() && digitValue(text[at]) < base; ++at) {
        anyDigit = true;
        if (!overflow) {
            magnitude = magnitude * static_cast<std::uint64_t>(base) +
                        static_cast<std::uint64_t>(digitValue(text[at]));
            overflow = magnitude > UINT32_MAX;
        }
    }
    // "0x" without a digit after it reads as no digits: 0, as the "0" alone would.
    if (!anyDigit)
        return 0;
    if (overflow)
        return UINT32_MAX;
    const auto value = static_cast<std::uint32_t>(magnitude);
    return negative ? 0u - value : value;
}

int parseDecimal(const std::string& text) {
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
        bytes.push_back(
            static_cast<std::uint8_t>(parseUnsigned(text.substr(at, end - at), 16) & 0xFF));
        at = end;
    }
    return bytes;
}
