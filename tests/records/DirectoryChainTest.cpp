#include "setup/records/helpers/DirectoryChain.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

using testing_support::directoryExists;
using testing_support::ScratchFolder;

using Levels = std::vector<std::string>;

// Runs the walk from the start a folder record uses (after the scratch
// folder's drive) and collects the levels it reports.
DWORD createChain(const std::string& path, Levels& created, std::string::size_type walkStart = 3) {
    return createDirectoryChain(path, walkStart,
                                [&created](const std::string& level) { created.push_back(level); });
}

TEST(DirectoryChain, CreatesTheMissingLevelsOutermostFirstAndReportsEach) {
    ScratchFolder folder;
    const std::string top = folder / "A";
    Levels created;
    EXPECT_EQ(createChain(top + "\\B\\C", created), static_cast<DWORD>(NO_ERROR));
    EXPECT_EQ(created, (Levels{top, top + "\\B", top + "\\B\\C"}));
    EXPECT_TRUE(directoryExists(top + "\\B\\C"));

    // Only the last level new: the first attempt makes it, nothing else is tried.
    created.clear();
    EXPECT_EQ(createChain(top + "\\B\\D", created), static_cast<DWORD>(NO_ERROR));
    EXPECT_EQ(created, Levels{top + "\\B\\D"});

    // All there already: nothing created, the reason says so.
    created.clear();
    EXPECT_EQ(createChain(top + "\\B\\C", created), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_TRUE(created.empty());
}

TEST(DirectoryChain, WithoutAWalkOnlyTheWholePathIsTried) {
    ScratchFolder folder;
    Levels created;
    EXPECT_NE(createChain(folder / "A\\B", created, std::string::npos),
              static_cast<DWORD>(NO_ERROR));
    EXPECT_TRUE(created.empty());
    EXPECT_FALSE(directoryExists(folder / "A"));

    // A walk that starts below the missing level cannot reach it either.
    const std::string::size_type belowA = (folder / "A\\").size();
    EXPECT_NE(createChain(folder / "A\\B\\C", created, belowA), static_cast<DWORD>(NO_ERROR));
    EXPECT_TRUE(created.empty());
    EXPECT_FALSE(directoryExists(folder / "A"));
}

// Paths the platform cannot create are refused before any level is tried:
// however many separators they hold, the walk costs no time and no memory.
TEST(DirectoryChain, RefusesPathsLongerThanThePlatformCreates) {
    ScratchFolder folder;
    const std::string base = folder.path() + "\\";
    // Levels of 9 characters and a separator up to the length asked for.
    const auto pathOfLength = [&base](std::string::size_type length) {
        std::string path = base;
        while (path.size() < length)
            path += (path.size() - base.size()) % 10 == 9 ? '\\' : 'x';
        if (path.back() == '\\')
            path.back() = 'y';
        return path;
    };
    const std::string longest = pathOfLength(kMaxDirectoryPath);
    const struct {
        const char* name;
        std::string path;
    } refused[] = {
        {"32 KB of backslashes", std::string(32768, '\\')},
        {"32 KB of levels", base + std::string(32768, '\\')},
        {"300 characters", pathOfLength(300)},
        {"one character too many", longest + "z"},
    };
    const DWORD start = GetTickCount();
    for (const auto& c : refused) {
        Levels created;
        EXPECT_EQ(createChain(c.path, created), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE))
            << c.name;
        EXPECT_TRUE(created.empty()) << c.name;
    }
    EXPECT_LT(GetTickCount() - start, 2000u);
    // Not one level of the scratch folder was made.
    EXPECT_FALSE(directoryExists(base + "xxxxxxxxx"));

    // The longest path that the platform takes is still created.
    Levels created;
    EXPECT_EQ(createChain(longest, created), static_cast<DWORD>(NO_ERROR));
    EXPECT_EQ(created.back(), longest);
    EXPECT_TRUE(directoryExists(longest));
}

} // namespace
