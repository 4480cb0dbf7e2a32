#include "setup/records/text/RecordFieldCursor.h"
#include "tests/records/CommaEscapeReference.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// Every field a handler reading `count` fields gets, with the flags of next().
struct Reading {
    std::vector<std::string> fields;
    std::vector<bool> found;
};

Reading read(RecordFieldCursor& cursor, const std::string& record, int count) {
    Reading reading;
    reading.fields.push_back(cursor.first(record));
    for (int index = 1; index < count; ++index) {
        std::string field = "stale";
        reading.found.push_back(cursor.next(field));
        reading.fields.push_back(field);
    }
    return reading;
}

TEST(RecordFieldCursor, SplitsAtEveryCommaWithoutTrimming) {
    const struct {
        const char* record;
        int count;
        std::vector<std::string> fields;
        std::vector<bool> found;
    } cases[] = {
        {"no comma at all", 3, {"no comma at all", "", ""}, {false, false}},
        {"value,HKLM,Software\\X,Name,s,",
         6,
         {"value", "HKLM", "Software\\X", "Name", "s", ""},
         {true, true, true, true, true}},
        {"value,HKLM,Software\\X,Name,s",
         6,
         {"value", "HKLM", "Software\\X", "Name", "s", ""},
         {true, true, true, true, false}},
        {"a,b,c,d,e", 4, {"a", "b", "c", "d"}, {true, true, true}},
        {"a,,b", 3, {"a", "", "b"}, {true, true}},
        {" HKLM , x ", 2, {" HKLM ", " x "}, {true}},
        {"", 2, {"", ""}, {false}},
        {",", 3, {"", "", ""}, {true, false}},
        {",,", 3, {"", "", ""}, {true, true}},
    };
    for (const auto& c : cases) {
        RecordFieldCursor cursor;
        const Reading reading = read(cursor, c.record, c.count);
        EXPECT_EQ(reading.fields, c.fields) << c.record;
        EXPECT_EQ(reading.found, c.found) << c.record;
    }
}

TEST(RecordFieldCursor, FirstStartsTheNextRecordAfresh) {
    RecordFieldCursor cursor;
    cursor.first("a,b,c");
    EXPECT_EQ(cursor.next(), "b");
    EXPECT_EQ(cursor.first("x"), "x");
    std::string field = "stale";
    EXPECT_FALSE(cursor.next(field));
    EXPECT_EQ(field, "");
    EXPECT_EQ(cursor.first("p,q"), "p");
    EXPECT_EQ(cursor.next(), "q");
}

TEST(RecordFieldCursor, DecodesCommaEscapesAfterSplittingOnlyWhenAsked) {
    const struct {
        const char* record;
        std::vector<std::string> decoded;
        std::vector<std::string> plain;
    } cases[] = {
        {"x&comma;y,z", {"x,y", "z"}, {"x&comma;y", "z"}},
        {"a&comma;&comma;b", {"a,,b", ""}, {"a&comma;&comma;b", ""}},
        {"&comma;,&comma", {",", "&comma"}, {"&comma;", "&comma"}},
        {"&&comma;comma;", {"&,comma;", ""}, {"&&comma;comma;", ""}},
        {"&COMMA;", {"&COMMA;", ""}, {"&COMMA;", ""}},
    };
    for (const auto& c : cases) {
        RecordFieldCursor decoding(true);
        RecordFieldCursor plain;
        EXPECT_EQ(read(decoding, c.record, 2).fields, c.decoded) << c.record;
        EXPECT_EQ(read(plain, c.record, 2).fields, c.plain) << c.record;
    }
}

std::string decoded(std::string field) {
    decodeCommaEscapes(field);
    return field;
}

TEST(DecodeCommaEscapes, MatchesReplacingInPlace) {
    const char* const fixed[] = {"",
                                 "&comma;",
                                 "&comma;&comma;",
                                 "&comma",
                                 "comma;",
                                 "&&comma;;",
                                 "&comma;comma;",
                                 "&c&comma;omma;",
                                 "&com&comma;ma;",
                                 "x&comma;y&comma;z",
                                 "&amp;comma;",
                                 "&comma;&comma",
                                 ",&comma;,",
                                 "&&&comma;&&"};
    for (const char* field : fixed)
        EXPECT_EQ(decoded(field), decodeInPlace(field)) << field;

    // Fields cut from pieces of the escape, so that near misses, overlaps and
    // runs of escapes are frequent; a fixed seed keeps failures repeatable.
    const std::string pieces[] = {"&",   "comma", ";", "&comma;",           "&com",
                                  "ma;", ",",     "x", std::string(1, '\0')};
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> piece(0, 8);
    std::uniform_int_distribution<int> length(0, 60);
    for (int round = 0; round < 20000; ++round) {
        std::string field;
        for (int count = length(random); count > 0; --count)
            field += pieces[piece(random)];
        ASSERT_EQ(decoded(field), decodeInPlace(field)) << field;
    }
}

TEST(DecodeCommaEscapes, LongFieldsTakeLinearTime) {
    // Replacing in place moves the rest of the field at every escape: with
    // 4 MiB of escapes that runs far past the test's time-out, while one pass
    // takes milliseconds.
    std::string field;
    std::string expected;
    for (int i = 0; i < 4 * 1024 * 1024 / 8; ++i) {
        field += "&comma;x";
        expected += ",x";
    }
    EXPECT_EQ(decoded(field), expected);
}

TEST(RecordFieldCursor, HandlesAnyBytes) {
    std::string record;
    for (int byte = 0; byte < 256; ++byte)
        record += static_cast<char>(byte);
    record += record;
    RecordFieldCursor cursor(true);
    std::string joined = cursor.first(record);
    std::string field;
    while (cursor.next(field))
        joined += "," + field;
    EXPECT_EQ(joined, record);
}

} // namespace
