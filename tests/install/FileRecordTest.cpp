#include "setup/install/text/FileRecord.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(FileRecord, FieldsNumbersAndEscapes) {
    struct Case {
        const char* record;
        bool parsed;
        const char* member;
        const char* destination;
        int flags, mode, attributes;
    };
    const Case cases[] = {
        {"x,a.dll,C:\\App\\a.dll,6,1,33", true, "a.dll", "C:\\App\\a.dll", 6, 1, 33},
        // Two commas are enough; missing numbers are 0.
        {"x,a.dll,C:\\App\\a.dll", true, "a.dll", "C:\\App\\a.dll", 0, 0, 0},
        {",,", true, "", "", 0, 0, 0},
        {"x,a.dll", false, "", "", 0, 0, 0},
        {"", false, "", "", 0, 0, 0},
        // The escape is decoded after splitting, in member and destination.
        {"x,a&comma;b.txt,C:\\A&comma;B\\c.txt,16,7,1", true, "a,b.txt", "C:\\A,B\\c.txt", 16, 7,
         1},
        // Numbers read like atoi; anything after the sixth field is ignored.
        {"x,m,d, 12abc,+3,-1,99", true, "m", "d", 12, 3, -1},
        {"x,m,d,0x20,, 7", true, "m", "d", 0, 0, 7},
    };
    for (const Case& c : cases) {
        FileRecord file;
        ASSERT_EQ(parseFileRecord(c.record, file), c.parsed) << c.record;
        if (!c.parsed)
            continue;
        EXPECT_EQ(file.member, c.member) << c.record;
        EXPECT_EQ(file.destination, c.destination) << c.record;
        EXPECT_EQ(file.flags, c.flags) << c.record;
        EXPECT_EQ(file.mode, c.mode) << c.record;
        EXPECT_EQ(file.attributes, c.attributes) << c.record;
    }
}

TEST(FileRecord, FolderRecordTakesTheFirstFieldWithoutOneTrailingBackslash) {
    EXPECT_EQ(folderRecordPath("C:\\App\\Data\\"), "C:\\App\\Data");
    EXPECT_EQ(folderRecordPath("C:\\App\\Data"), "C:\\App\\Data");
    EXPECT_EQ(folderRecordPath("C:\\App\\\\"), "C:\\App\\");
    EXPECT_EQ(folderRecordPath("C:\\A&comma;B,ignored,fields"), "C:\\A,B");
    EXPECT_EQ(folderRecordPath(""), "");
}

} // namespace
