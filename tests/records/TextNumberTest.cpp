#include "setup/records/text/TextNumber.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

namespace {

TEST(RecordNumber, ReadsHexLikeTheUnsignedConversion) {
    const struct {
        const char* text;
        std::uint32_t value;
    } cases[] = {
        {"10", 0x10},
        {"0x1F", 31},
        {"0X1f", 31},
        {"12zz", 0x12},
        {"zz", 0},
        {"", 0},
        {"0x", 0},
        {"0xzz", 0},
        {" \t\r\n\v\f7", 7},
        {"+ff", 0xFF},
        {"-1", 0xFFFFFFFF},
        {"-0x10", 0xFFFFFFF0},
        {"FFFFFFFF", 0xFFFFFFFF},
        {"100000000", 0xFFFFFFFF},
        {"-100000000", 0xFFFFFFFF},
        {"000000000000000000001", 1},
        {"- 1", 0},
        {"1 2", 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseUnsigned(c.text, 16), c.value) << "'" << c.text << "'";
}

TEST(RecordNumber, ReadsDecimalLikeTheSignedConversion) {
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {"3", 3},
        {"  -7", -7},
        {"+12x", 12},
        {"abc", 0},
        {"", 0},
        {"0x10", 0},
        {"2147483647", INT_MAX},
        {"2147483648", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-99999999999999999999", INT_MIN},
        {"1.5", 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseDecimal(c.text), c.value) << "'" << c.text << "'";
}

TEST(RecordNumber, BinaryTokensKeepTheLowByte) {
    const struct {
        const char* text;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {"01 ff 100", {0x01, 0xFF, 0x00}},           {"   \t  ", {}},  {"", {}},
        {"\r\n0x7f\t\t-1  zz ", {0x7F, 0xFF, 0x00}}, {"1\v2", {0x01}}, // a vertical tab does not
                                                                       // separate tokens
    };
    for (const auto& c : cases)
        EXPECT_EQ(readBinaryTokens(c.text), c.bytes) << "'" << c.text << "'";
}

} // namespace
