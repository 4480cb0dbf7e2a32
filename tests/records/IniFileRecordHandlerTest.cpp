#include "setup/records/IniFileRecordHandler.h"

#include "setup/install/base/UninstallLog.h"
#include "setup/records/ErrorLog.h"
#include "tests/records/RecordTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class IniFileRecordTest : public testing::Test {
protected:
    // The value of `key` in [`section`], or "(missing)".
    std::string profileValue(const std::string& file, const std::string& section,
                             const std::string& key) {
        char value[256] = {};
        GetPrivateProfileStringA(section.c_str(), key.c_str(), "(missing)", value, sizeof value,
                                 file.c_str());
        return value;
    }

    ScratchFolder folder;
    UninstallLog log{folder.path(), "setup.log", 1, false};
    ErrorLog errors{folder.path(), log};
    IniFileRecordHandler handler{log, errors};
    const std::string file = folder / "app.ini";
};

TEST_F(IniFileRecordTest, WritesOneEntryPerRecord) {
    const struct {
        std::string fields; // after the file field
        std::string section;
        std::string key;
        std::string value;
    } cases[] = {
        {"Options,Lang,en", "Options", "Lang", "en"},
        {"Options,Empty,", "Options", "Empty", ""},
        {"Options,Pair,a,b", "Options", "Pair", "a"},
        {"Options,Escaped,a&comma;b", "Options", "Escaped", "a&comma;b"},
        {"Other,Path,C:\\App\\data", "Other", "Path", "C:\\App\\data"},
        {"Options,Lang,fr", "Options", "Lang", "fr"},
    };
    for (const auto& c : cases) {
        const std::string record = file + "," + c.fields;
        EXPECT_TRUE(handler.process(record)) << record;
        EXPECT_EQ(profileValue(file, c.section, c.key), c.value) << record;
    }
    EXPECT_EQ(readFile(file), "[Options]\r\n"
                              "Lang=fr\r\n"
                              "Empty=\r\n"
                              "Pair=a\r\n"
                              "Escaped=a&comma;b\r\n"
                              "[Other]\r\n"
                              "Path=C:\\App\\data\r\n");
    // Nothing is reported, nothing is recorded for removal.
    EXPECT_TRUE(errors.messages().empty());
    EXPECT_EQ(log.entries("APPFILES"), std::vector<std::string>{folder / "setup.log"});
}

TEST_F(IniFileRecordTest, AnEmptyFileFieldWritesNothing) {
    EXPECT_FALSE(handler.process(",Options,Lang,en"));
    EXPECT_FALSE(handler.process(""));
    EXPECT_TRUE(errors.messages().empty());
}

TEST_F(IniFileRecordTest, ShortRecordsWriteEmptyNames) {
    // The platform decides what an empty key name means; the handler passes
    // empty texts, never null pointers that would delete entries.
    ASSERT_TRUE(handler.process(file + ",Options,Keep,1"));
    handler.process(file + ",Options");
    handler.process(file + ",Options,Keep");
    EXPECT_EQ(profileValue(file, "Options", "Keep"), "");
}

TEST_F(IniFileRecordTest, ABareFileNameLandsInTheWindowsDirectory) {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, sizeof windows);
    const std::string name = uniqueName("records") + ".ini";
    const std::string path = std::string(windows) + "\\" + name;
    EXPECT_TRUE(handler.process(name + ",Options,Lang,en"));
    EXPECT_EQ(profileValue(path, "Options", "Lang"), "en");
    EXPECT_TRUE(fileExists(path));
    DeleteFileA(path.c_str());
}

} // namespace
