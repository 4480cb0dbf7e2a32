#include "setup/config/SetupContext.h"
#include "setup/install/files/FileInstaller.h"
#include "setup/install/base/UninstallLog.h"
#include "setup/start/errors/FileException.h"
#include "tests/install/ArchiveWriter.h"
#include "tests/install/InstallTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace install_tests;

const std::uint32_t memberTime = dosDateTime(2003, 7, 14, 9, 30, 24);

bool contains(const std::vector<std::string>& list, const std::string& text) {
    return std::find(list.begin(), list.end(), text) != list.end();
}

// An archive of text members and of DLLs with and without version records,
// an uninstall log and a file installer over them, and a temporary directory
// of the test's own so that left-over temporary files can be counted.
class FileInstallerTest : public ::testing::Test {
protected:
    void SetUp() override {
        members_ = {
            {"text.txt", "new text"},
            {"a,b.txt", "escaped name"},
            {"v5.dll", readBesideProgram("version_2_0_0_5.dll")},
            {"v9.dll", readBesideProgram("version_2_0_0_9.dll")},
            {"none.dll", readBesideProgram("version_none.dll")},
        };
        ASSERT_NE(members_["v5.dll"], "<missing>");
        ASSERT_NE(members_["none.dll"], "<missing>");
        archive_ = folder_.file("setup.zip");
        ArchiveWriter writer(archive_);
        for (const auto& member : members_)
            ASSERT_TRUE(writer.add(member.first, member.second, memberTime));
        ASSERT_TRUE(writer.addWithCrc("bad-crc.txt", "corrupt", memberTime, 1));
        ASSERT_TRUE(writer.close());

        app_ = folder_.file("app");
        CreateDirectoryA(app_.c_str(), nullptr);
        temporary_ = std::make_unique<TemporaryDirectory>(folder_.file("tmp"));
        log_ = std::make_unique<UninstallLog>(folder_.path(), "setup.log", 1, false);
        installer_ = std::make_unique<FileInstaller>(*log_, status_.get(), nullptr, context_,
                                                     nullptr, archive_);
    }

    void TearDown() override {
        installer_.reset();
        log_.reset();
        temporary_.reset();
    }

    std::string record(const std::string& member, const std::string& destination, int flags = 0,
                       int mode = 0, int attributes = 0) const {
        return "x," + member + "," + destination + "," + std::to_string(flags) + "," +
               std::to_string(mode) + "," + std::to_string(attributes);
    }

    bool installedAsMember(const std::string& path, const std::string& member) {
        FileTimes times;
        return readFile(path) == members_[member] && readFileTimes(path, times) &&
               sameTime(times.lastWrite, dosTimeAsUtc(memberTime));
    }

    std::vector<std::string> logged(const char* section) const { return log_->entries(section); }

    // A directory below the application directory too long to be created,
    // in levels of six characters: "<app>\Long\level\level...".
    std::string tooLongDirectory() const {
        std::string path = app_ + "\\Long";
        while (path.size() <= 300)
            path += "\\level";
        return path;
    }

    ScratchFolder folder_;
    std::map<std::string, std::string> members_;
    std::string archive_;
    std::string app_;
    SetupContext context_;
    HiddenWindow status_{"STATIC"};
    std::unique_ptr<TemporaryDirectory> temporary_;
    std::unique_ptr<UninstallLog> log_;
    std::unique_ptr<FileInstaller> installer_;
};

TEST_F(FileInstallerTest, AbsentDestinationIsExtractedAndOnlyTheDeepestNewDirectoryIsLogged) {
    const std::string first = app_ + "\\a\\b\\text.txt";
    const std::string second = app_ + "\\a\\c\\text.txt";

    installer_->process(record("TEXT.TXT", first));
    installer_->process(record("text.txt", second));

    EXPECT_TRUE(installedAsMember(first, "text.txt"));
    EXPECT_TRUE(installedAsMember(second, "text.txt"));
    EXPECT_EQ(logged("APPDIR"), (std::vector<std::string>{app_ + "\\a\\b", app_ + "\\a\\c"}));
    EXPECT_TRUE(contains(logged("APPFILES"), first));
    EXPECT_TRUE(contains(logged("APPFILES"), second));
    EXPECT_EQ(status_.text(), second);
    EXPECT_EQ(temporary_->fileCount(), 0) << "a direct install needs no temporary file";
}

TEST_F(FileInstallerTest, FailedExtractionLeavesNoFileAndNoEntry) {
    for (const char* member : {"missing.txt", "bad-crc.txt"}) {
        const std::string destination = app_ + "\\" + member;
        EXPECT_FALSE(installer_->process(record(member, destination))) << member;
        EXPECT_FALSE(fileExists(destination)) << member;
        EXPECT_FALSE(contains(logged("APPFILES"), destination)) << member;

        // Over an existing file nothing changes either.
        ASSERT_TRUE(writeFile(destination, "installed"));
        EXPECT_FALSE(installer_->process(record(member, destination, 0, 0))) << member;
        EXPECT_EQ(readFile(destination), "installed") << member;
        EXPECT_FALSE(contains(logged("APPFILES"), destination)) << member;
        EXPECT_EQ(temporary_->fileCount(), 0) << member;
    }
}

TEST_F(FileInstallerTest, OverwriteModesDecideByVersionThenByTime) {
    // Times of the installed file relative to the member's.
    enum When { Older, Same, Newer };
    struct Case {
        int mode;
        const char* installed; // a member name: the installed file holds its bytes
        const char* member;
        When installedTime;
        bool replaced;
    };
    const Case cases[] = {
        {0, "a,b.txt", "text.txt", Newer, true},
        {1, "v5.dll", "v5.dll", Newer, true},  // same version is enough
        {2, "v5.dll", "v5.dll", Older, false}, // not newer, and no time rule
        {1, "v9.dll", "v5.dll", Older, false}, // the low half decides
        {2, "v5.dll", "v9.dll", Newer, true},
        {1, "none.dll", "v5.dll", Older, false}, // no version: kept
        {5, "none.dll", "v5.dll", Older, true},  // ... unless the time wins
        {6, "v9.dll", "v5.dll", Older, true},
        {6, "v9.dll", "v5.dll", Newer, false},
        {3, "a,b.txt", "text.txt", Same, true},
        {4, "a,b.txt", "text.txt", Same, false},
        {4, "a,b.txt", "text.txt", Older, true},
        {3, "a,b.txt", "text.txt", Newer, false},
        {7, "a,b.txt", "text.txt", Older, false},
        {-1, "a,b.txt", "text.txt", Older, false},
    };
    const FILETIME member = dosTimeAsUtc(memberTime);
    int index = 0;
    for (const Case& c : cases) {
        const std::string description =
            "case " + std::to_string(index) + ", mode " + std::to_string(c.mode);
        const std::string destination = app_ + "\\file" + std::to_string(index++) + ".dll";
        ASSERT_TRUE(writeFile(destination, members_[c.installed]));
        ULARGE_INTEGER time;
        time.LowPart = member.dwLowDateTime;
        time.HighPart = member.dwHighDateTime;
        const ULONGLONG day = 24ull * 3600 * 10000000;
        time.QuadPart += c.installedTime == Older ? -day : c.installedTime == Newer ? day : 0;
        const FILETIME installed = {time.LowPart, time.HighPart};
        ASSERT_TRUE(setLastWriteTime(destination, installed));

        EXPECT_TRUE(installer_->process(record(c.member, destination, 0, c.mode))) << description;

        EXPECT_EQ(installedAsMember(destination, c.member), c.replaced) << description;
        EXPECT_TRUE(contains(logged("APPFILES"), destination)) << description;
        EXPECT_EQ(temporary_->fileCount(), 0) << description;
    }
}

TEST_F(FileInstallerTest, FlagsLeaveTheFileOutOfTheLogAndSetItsAttributes) {
    const std::string hidden = app_ + "\\hidden.txt";
    installer_->process(record("text.txt", hidden, 8 | 16, 0, FILE_ATTRIBUTE_HIDDEN));
    EXPECT_TRUE(installedAsMember(hidden, "text.txt"));
    EXPECT_FALSE(contains(logged("APPFILES"), hidden));
    EXPECT_EQ(GetFileAttributesA(hidden.c_str()) & FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_HIDDEN);

    // Mode 7 keeps an existing file but still records it and sets its attributes.
    const std::string kept = app_ + "\\kept.txt";
    ASSERT_TRUE(writeFile(kept, "installed"));
    installer_->process(record("text.txt", kept, 16, 7, FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(readFile(kept), "installed");
    EXPECT_TRUE(contains(logged("APPFILES"), kept));
    EXPECT_EQ(GetFileAttributesA(kept.c_str()) & FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_READONLY);
}

TEST_F(FileInstallerTest, RecordsThatCannotBeCarriedOutArePassedOver) {
    const std::vector<std::string> before = logged("APPFILES");
    EXPECT_FALSE(installer_->process("x,text.txt"));
    EXPECT_FALSE(installer_->process(""));
    EXPECT_FALSE(installer_->process(record("text.txt", app_ + "\\bad<name\\text.txt")));
    EXPECT_FALSE(installer_->process(record("text.txt", "text.txt")));
    EXPECT_FALSE(installer_->process(record("text.txt", tooLongDirectory() + "\\text.txt")));
    EXPECT_EQ(logged("APPFILES"), before);
    EXPECT_TRUE(logged("APPDIR").empty());
    EXPECT_FALSE(fileExists(app_ + "\\bad<name"));
    EXPECT_FALSE(directoryExists(app_ + "\\Long"));
}

TEST_F(FileInstallerTest, CommaEscapesAreDecodedInMemberAndDestination) {
    installer_->process("x,a&comma;b.txt," + app_ + "\\c&comma;d.txt");
    EXPECT_TRUE(installedAsMember(app_ + "\\c,d.txt", "a,b.txt"));
}

TEST_F(FileInstallerTest, FolderRecordsLogEveryLevelTheyCreate) {
    EXPECT_TRUE(installer_->createFolders(app_ + "\\A\\B\\C,ignored"));
    EXPECT_TRUE(installer_->createFolders(app_ + "\\X\\"));
    EXPECT_TRUE(installer_->createFolders(app_)); // exists: nothing to record
    EXPECT_FALSE(installer_->createFolders(app_ + "\\bad<name"));
    // Too long to create: refused whole, quickly, not one level made.
    EXPECT_FALSE(installer_->createFolders(tooLongDirectory()));
    EXPECT_FALSE(installer_->createFolders(std::string(32768, '\\')));
    EXPECT_FALSE(directoryExists(app_ + "\\Long"));
    log_->setFileClass(UninstallLog::SharedFiles);
    FolderInstaller folders(*installer_);
    RecordHandler& handler = folders;
    EXPECT_TRUE(handler.process(app_ + "\\S&comma;T"));

    EXPECT_EQ(logged("APPDIR"), (std::vector<std::string>{app_ + "\\A", app_ + "\\A\\B",
                                                          app_ + "\\A\\B\\C", app_ + "\\X"}));
    EXPECT_EQ(logged("APPFOLDERS"), std::vector<std::string>{app_ + "\\S,T"});
    EXPECT_TRUE(directoryExists(app_ + "\\A\\B\\C"));
    EXPECT_TRUE(directoryExists(app_ + "\\S,T"));
}

TEST(FileInstallerArchive, MissingOrBrokenSetupZipThrowsFileNotFound) {
    ScratchFolder folder;
    SetupContext context;
    UninstallLog log(folder.path(), "setup.log", 1, true);
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof previous, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.path().c_str()));

    for (const char* contents : {static_cast<const char*>(nullptr), "not a zip"}) {
        if (contents) {
            ASSERT_TRUE(writeFile(folder.file("setup.zip"), contents));
        }
        try {
            FileInstaller installer(log, nullptr, nullptr, context, nullptr);
            ADD_FAILURE() << "no exception";
        } catch (const FileException& failure) {
            EXPECT_EQ(failure.fileName(), "setup.zip");
            EXPECT_EQ(failure.code(), FileException::NotFound);
        }
    }
    SetCurrentDirectoryA(previous);
}

} // namespace
