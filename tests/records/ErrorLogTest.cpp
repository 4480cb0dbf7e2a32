#include "setup/records/ErrorLog.h"

#include "setup/install/base/UninstallLog.h"
#include "setup/start/errors/FileException.h"
#include "setup/start/errors/WinException.h"
#include "tests/records/RecordTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ErrorLogTest : public testing::Test {
protected:
    ScratchFolder folder;
    UninstallLog log{folder.path(), "setup.log", 1, false};
};

TEST_F(ErrorLogTest, WritesEveryMessageInOrderWithCrLfAndRecordsItself) {
    log.setFileClass(UninstallLog::SystemFiles);
    ErrorLog errors(folder.path(), log);
    EXPECT_EQ(errors.path(), folder / "error.log");
    errors.add("Invalid major key:HKXX");
    errors.add("Cannot create key:Software\\X");
    errors.add("Invalid major key:HKXX");
    errors.add("");
    errors.write();

    EXPECT_EQ(readFile(folder / "error.log"), "Invalid major key:HKXX\r\n"
                                              "Cannot create key:Software\\X\r\n"
                                              "Invalid major key:HKXX\r\n"
                                              "\r\n");
    EXPECT_TRUE(errors.messages().empty());
    // Recorded as an application file, and the log stays on that class.
    EXPECT_EQ(log.entries("APPFILES"),
              (std::vector<std::string>{folder / "setup.log", folder / "error.log"}));
    EXPECT_TRUE(log.entries("STDFILES").empty());
    EXPECT_EQ(log.fileClass(), UninstallLog::ApplicationFiles);

    // Nothing held any more: neither a second write nor the destructor
    // touches the file.
    DeleteFileA((folder / "error.log").c_str());
    errors.write();
    EXPECT_FALSE(fileExists(folder / "error.log"));
}

TEST_F(ErrorLogTest, WithoutMessagesCreatesNoFileAndRecordsNothing) {
    {
        ErrorLog errors(folder.path() + "\\", log);
        EXPECT_EQ(errors.path(), folder / "error.log");
        errors.write();
    }
    EXPECT_FALSE(fileExists(folder / "error.log"));
    EXPECT_EQ(log.entries("APPFILES"), std::vector<std::string>{folder / "setup.log"});
}

TEST_F(ErrorLogTest, TruncatesAnEarlierFile) {
    const std::string path = folder / "error.log";
    std::ofstream(path, std::ios::binary) << std::string(100, 'x');
    ErrorLog errors(folder.path(), log);
    errors.add("one");
    errors.write();
    EXPECT_EQ(readFile(path), "one\r\n");
}

TEST_F(ErrorLogTest, DestructionWritesWhatIsStillHeld) {
    {
        ErrorLog errors(folder.path(), log);
        errors.add("Unknown link type:x");
    }
    EXPECT_EQ(readFile(folder / "error.log"), "Unknown link type:x\r\n");
    EXPECT_EQ(log.entries("APPFILES").back(), folder / "error.log");
}

TEST_F(ErrorLogTest, AFileThatCannotBeCreatedThrowsAndKeepsTheMessages) {
    const std::string missing = folder / "missing";
    ErrorLog errors(missing, log);
    errors.add("Cannot create key:A");
    try {
        errors.write();
        FAIL() << "no exception";
    } catch (const FileException& e) {
        EXPECT_EQ(e.fileName(), missing + "\\error.log");
        EXPECT_EQ(e.code(), FileException::DiskFull);
    }
    EXPECT_EQ(errors.messages(), std::vector<std::string>{"Cannot create key:A"});
    EXPECT_EQ(log.entries("APPFILES"), std::vector<std::string>{folder / "setup.log"});
}

TEST_F(ErrorLogTest, AnUnwritableFileDuringAFailingStepLeavesTheFirstFailure) {
    // The step fails while the error log holds a message it cannot write: the
    // failure that ended the step is the one that arrives.
    try {
        ErrorLog errors(folder / "missing", log);
        errors.add("Cannot create key:A");
        SetLastError(ERROR_INVALID_DATA);
        throw WinException("step failed");
    } catch (const WinException& e) {
        EXPECT_STREQ(e.message(), "step failed");
        EXPECT_EQ(e.code(), static_cast<std::uint32_t>(ERROR_INVALID_DATA));
    }
    EXPECT_EQ(log.entries("APPFILES"), std::vector<std::string>{folder / "setup.log"});
}

} // namespace
