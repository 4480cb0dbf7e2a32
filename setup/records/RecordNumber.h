#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Numbers in record fields, read the way the C library's conversions read
// them, but with fixed widths on every platform.

// An unsigned 32-bit number in base 16: leading white space skipped, an
// optional sign, an optional "0x" or "0X", then hexadecimal digits up to the
// first other character. No digits give 0; a value beyond 32 bits gives
// 0xFFFFFFFF; a minus sign negates modulo 2^32.
std::uint32_t readHexNumber(const std::string& text);

// A signed int in base 10: leading white space skipped, an optional sign, then
// decimal digits up to the first other character. No digits give 0; a value
// beyond the range of int gives INT_MAX or INT_MIN.
int readDecimalNumber(const std::string& text);

// The bytes of a binary registry value: one per token of `text`, tokens being
// separated by runs of blanks, tabs, carriage returns and line feeds; each
// token read with readHexNumber and cut to its low 8 bits.
std::vector<std::uint8_t> readBinaryTokens(const std::string& text);
