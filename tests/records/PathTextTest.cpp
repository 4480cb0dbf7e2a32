#include "setup/records/text/PathText.h"

#include <gtest/gtest.h>

namespace {

TEST(PathText, JoinAddsOneSeparatorOnlyWhereNeeded) {
    const struct {
        const char* directory;
        const char* name;
        const char* path;
    } cases[] = {
        {"C:\\Data\\", "a.ini", "C:\\Data\\a.ini"},
        {"C:\\Data", "a.ini", "C:\\Data\\a.ini"},
        {"", "a.ini", "a.ini"},
        {"C:\\", "a.ini", "C:\\a.ini"},
        {"\\", "a.ini", "\\a.ini"},
        {"C:\\Data", "", "C:\\Data\\"},
        {"C:\\Data", "Sub\\a.ini", "C:\\Data\\Sub\\a.ini"},
        {"C:\\Data/", "a.ini", "C:\\Data/\\a.ini"}, // only '\' counts as a separator
        {"", "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(joinPath(c.directory, c.name), c.path) << c.directory << " + " << c.name;
}

TEST(PathText, SplitAtTheLastBackslash) {
    const struct {
        const char* path;
        const char* directory;
        const char* name;
    } cases[] = {
        {"C:\\Data\\a.ini", "C:\\Data", "a.ini"},
        {"Software\\Microsoft\\Windows\\CurrentVersion\\ProgramFilesDir",
         "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir"},
        {"a.ini", "", "a.ini"},
        {"C:\\Data\\", "C:\\Data", ""},
        {"\\a.ini", "", "a.ini"},
        {"C:\\Data\\\\a.ini", "C:\\Data\\", "a.ini"},
        {"C:/Data/a.ini", "", "C:/Data/a.ini"},
        {"\\", "", ""},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        const SplitPath parts = splitPath(c.path);
        EXPECT_EQ(parts.directory, c.directory) << c.path;
        EXPECT_EQ(parts.name, c.name) << c.path;
    }
}

TEST(PathText, SplitThenJoinGivesThePathBack) {
    for (const char* path : {"C:\\Data\\a.ini", "C:\\a", "a.ini", "\\\\server\\share\\f"}) {
        const SplitPath parts = splitPath(path);
        EXPECT_EQ(joinPath(parts.directory, parts.name), path);
    }
}

// What a walk down a directory passes over: the text before its start.
TEST(PathText, DirectoryWalkNeverStartsAtTheServerOrTheShare) {
    const struct {
        const char* path;
        const char* passedOver; // null: no walk
    } cases[] = {
        {"C:\\A\\B\\C", "C:\\"},
        {"C:\\A", "C:\\"},
        {"\\A\\B", "\\"},
        {"A\\B\\C", "A\\"},
        {"\\\\server\\share\\A\\B", "\\\\server\\share\\"},
        {"\\\\server\\share\\A", "\\\\server\\share\\"},
        {"\\\\server\\share", nullptr},
        {"\\\\server", nullptr},
        {"\\\\", nullptr},
        {"relative", nullptr},
        {"", nullptr},
    };
    for (const auto& c : cases) {
        const std::string path = c.path;
        const std::string::size_type start = directoryWalkStart(path);
        if (c.passedOver == nullptr)
            EXPECT_EQ(start, std::string::npos) << c.path;
        else if (start == std::string::npos)
            ADD_FAILURE() << c.path << ": no walk";
        else
            EXPECT_EQ(path.substr(0, start), c.passedOver) << c.path;
    }
}

} // namespace
