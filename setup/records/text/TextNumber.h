#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Numbers written in settings and record fields, read the way the C
// library's conversions read them, but with fixed widths on every platform and
// without undefined behaviour on overflow.

// The C library's strtoul with a 32-bit unsigned long: leading white space and
// a sign are accepted, "0x"/"0X" too in base 16, and parsing stops at the
// first byte that is not a digit of the base. No digits (or a base outside
// 2..36) give 0, a magnitude beyond 32 bits gives 0xFFFFFFFF, and a '-'
// negates modulo 2^32.
std::uint32_t parseUnsigned(const std::string& text, int base);

// The C library's atoi with a 32-bit int: leading white space skipped, an
// optional sign, then decimal digits up to the first other byte. No digits
// give 0; a value beyond the range of int gives INT_MAX or INT_MIN.
int parseDecimal(const std::string& text);

// The bytes of a binary registry value: one per token of `text`, tokens being
// separated by runs of blanks, tabs, carriage returns and line feeds; each
// token read with parseUnsigned in base 16 and cut to its low 8 bits.
std::vector<std::uint8_t> readBinaryTokens(const std::string& text);
