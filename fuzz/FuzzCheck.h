#pragma once

// What the fuzz targets share: a check that stops the run with the input
// saved, and the plain number readers the targets compare against.

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

// Stops the run when `condition` is false: libFuzzer then saves the input as
// a crash file and prints how to run it again.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace reference {

inline bool isCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// strtoul as a C library with a 32-bit unsigned long has it, from the host's
// 64-bit strtoull: a magnitude beyond 32 bits saturates, a '-' negates modulo
// 2^32. The C functions stop at a NUL byte; so does the reader under test.
inline std::uint32_t strtoul32(const std::string& text, int base) {
    if (base < 2 || base > 36)
        return 0;
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(begin, &end, base);
    if (end == begin)
        return 0;
    if (errno == ERANGE)
        return UINT32_MAX;
    const char* sign = begin;
    while (isCSpace(*sign))
        ++sign;
    const bool negative = *sign == '-';
    const unsigned long long magnitude = negative ? 0ull - value : value;
    if (magnitude > UINT32_MAX)
        return UINT32_MAX;
    const auto low = static_cast<std::uint32_t>(magnitude);
    return negative ? 0u - low : low;
}

// atoi as a C library with a 32-bit int has it: strtoll, held to int's range.
inline int atoi32(const std::string& text) {
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

} // namespace reference
