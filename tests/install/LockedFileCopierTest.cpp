#include "setup/config/SetupContext.h"
#include "setup/install/files/FileInstaller.h"
#include "setup/install/files/InUseQuestion.h"
#include "setup/install/files/LockedFileCopier.h"
#include "setup/install/base/UninstallLog.h"
#include "tests/install/ArchiveWriter.h"
#include "tests/install/InstallTestSupport.h"
#include "tests/support/Registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace install_tests;
using testing_support::SavedValue;
using testing_support::storedValue;
using testing_support::WindowsVersionFor;

const char sessionManagerKey[] = "System\\CurrentControlSet\\Control\\Session Manager";
const char pendingValue[] = "PendingFileRenameOperations";

// The pending-rename list: pairs of texts, source then target.
std::vector<std::string> pendingRenames() {
    const std::string data = storedValue(HKEY_LOCAL_MACHINE, sessionManagerKey, pendingValue).bytes;
    std::vector<std::string> texts;
    // Each text ends with a zero; the list ends with one more.
    std::size_t start = 0;
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (data[i] == '\0') {
            texts.emplace_back(data.data() + start, i - start);
            start = i + 1;
        }
    }
    while (texts.size() % 2 != 0 && !texts.empty() && texts.back().empty())
        texts.pop_back();
    return texts;
}

// Whether the list asks to move `source` to `target` ("" deletes the source).
bool pendingPair(const std::string& source, const std::string& target) {
    const std::vector<std::string> texts = pendingRenames();
    for (std::size_t i = 0; i + 1 < texts.size(); i += 2)
        if (lstrcmpiA(texts[i].c_str(), source.c_str()) == 0 &&
            lstrcmpiA(texts[i + 1].c_str(), target.c_str()) == 0)
            return true;
    return false;
}

// A file held open by the test, as a running program holds its files.
class HeldFile {
public:
    HeldFile(const std::string& path, DWORD share)
        : handle_(CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~HeldFile() { release(); }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    bool held() const { return handle_ != INVALID_HANDLE_VALUE; }
    void release() {
        if (held())
            CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_;
};

// A program may be renamed while it runs, but not written.
const DWORD renamable = FILE_SHARE_READ | FILE_SHARE_DELETE;
const DWORD exclusive = 0;

// Answers for the user from a script; `onAsk` runs before each answer.
class ScriptedQuestion : public InUseQuestion {
public:
    explicit ScriptedQuestion(std::deque<Answer> answers) : answers_(std::move(answers)) {}
    Answer ask(const std::string& path) override {
        asked.push_back(path);
        if (onAsk)
            onAsk();
        if (answers_.empty())
            return Cancel;
        const Answer answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    std::vector<std::string> asked;
    std::function<void()> onAsk;

private:
    std::deque<Answer> answers_;
};

class LockedFileCopierTest : public ::testing::Test {
protected:
    void SetUp() override {
        source_ = folder_.file("new.tmp");
        destination_ = folder_.file("a.dll");
        ASSERT_TRUE(writeFile(source_, "new bytes"));
        ASSERT_TRUE(writeFile(destination_, "old bytes"));
    }

    ScratchFolder folder_;
    // The pending renames as the test found them, put back afterwards: the
    // tests schedule nothing that should outlive them.
    SavedValue pendingRenames_{HKEY_LOCAL_MACHINE, sessionManagerKey, pendingValue};
    SetupContext context_;
    std::string source_;
    std::string destination_;
};

TEST_F(LockedFileCopierTest, FreeDestinationIsSimplyCopied) {
    ScriptedQuestion question({});
    LockedFileCopier copier(context_, &question);
    EXPECT_TRUE(copier.copy(source_, destination_, 32));
    EXPECT_EQ(readFile(destination_), "new bytes");
    EXPECT_TRUE(question.asked.empty());
    EXPECT_FALSE(copier.restartNeeded());
}

TEST_F(LockedFileCopierTest, FileInUseIsMovedAsideReplacedNowAndTheOldOneDeletedAtRestart) {
    ScriptedQuestion question({});
    LockedFileCopier copier(context_, &question);
    HeldFile held(destination_, renamable);
    ASSERT_TRUE(held.held());

    EXPECT_FALSE(copier.copy(source_, destination_, 0));

    EXPECT_TRUE(question.asked.empty()) << "flag 32 is clear: nobody is asked";
    EXPECT_TRUE(copier.restartNeeded());
    EXPECT_FALSE(copier.sourceStillNeeded());
    EXPECT_EQ(readFile(destination_), "new bytes");
    EXPECT_EQ(readFile(destination_ + "001"), "old bytes");
    EXPECT_TRUE(pendingPair("\\??\\" + destination_ + "001", ""));
}

TEST_F(LockedFileCopierTest, SideNameSkipsNamesThatAreTaken) {
    ASSERT_TRUE(writeFile(destination_ + "001", "someone else's"));
    EXPECT_EQ(findSideName(destination_), destination_ + "002");

    LockedFileCopier copier(context_, nullptr);
    HeldFile held(destination_, renamable);
    EXPECT_FALSE(copier.copy(source_, destination_, 0));
    EXPECT_EQ(readFile(destination_ + "001"), "someone else's");
    EXPECT_EQ(readFile(destination_ + "002"), "old bytes");
}

TEST_F(LockedFileCopierTest, FileThatCannotBeMovedIsReplacedByADelayedMove) {
    LockedFileCopier copier(context_, nullptr);
    HeldFile held(destination_, exclusive);
    ASSERT_TRUE(held.held());

    EXPECT_FALSE(copier.copy(source_, destination_, 0));

    EXPECT_TRUE(copier.restartNeeded());
    EXPECT_TRUE(copier.sourceStillNeeded());
    held.release();
    EXPECT_EQ(readFile(destination_), "old bytes");
    EXPECT_FALSE(fileExists(destination_ + "001"));
    // "!" asks the system to replace the existing file at restart.
    EXPECT_TRUE(pendingPair("\\??\\" + source_, "!\\??\\" + destination_));
}

TEST_F(LockedFileCopierTest, RetryAfterTheProgramLetGoCopies) {
    ScriptedQuestion question({InUseQuestion::Retry});
    LockedFileCopier copier(context_, &question);
    HeldFile held(destination_, exclusive);
    question.onAsk = [&held] { held.release(); };

    EXPECT_TRUE(copier.copy(source_, destination_, 32));

    EXPECT_EQ(question.asked, std::vector<std::string>{destination_});
    EXPECT_EQ(context_.getVariable("InUseFilePathname", false), destination_);
    EXPECT_EQ(readFile(destination_), "new bytes");
    EXPECT_FALSE(copier.restartNeeded());
}

TEST_F(LockedFileCopierTest, AbortSchedulesNothingAndAsksTheInstallationToStop) {
    const std::vector<std::string> before = pendingRenames();
    ScriptedQuestion question({InUseQuestion::Retry, InUseQuestion::Abort});
    LockedFileCopier copier(context_, &question);
    HeldFile held(destination_, renamable);

    EXPECT_FALSE(copier.copy(source_, destination_, 32));

    EXPECT_EQ(question.asked.size(), 2u);
    EXPECT_TRUE(context_.abortRequested());
    EXPECT_FALSE(copier.restartNeeded());
    EXPECT_FALSE(copier.sourceStillNeeded());
    EXPECT_EQ(pendingRenames(), before);
    EXPECT_FALSE(fileExists(destination_ + "001"));
}

TEST_F(LockedFileCopierTest, CancelReplacesAtRestart) {
    ScriptedQuestion question({InUseQuestion::Cancel});
    LockedFileCopier copier(context_, &question);
    HeldFile held(destination_, renamable);

    EXPECT_FALSE(copier.copy(source_, destination_, 32));

    EXPECT_FALSE(context_.abortRequested());
    EXPECT_TRUE(copier.restartNeeded());
    EXPECT_EQ(readFile(destination_), "new bytes");
}

TEST(WinInitRename, NewEntriesComeFirstInTheRenameSection) {
    ScratchFolder folder;
    const std::string entry = "C:\\App\\a.dll=C:\\Temp\\tmp1A.tmp\r\n";
    struct Case {
        const char* before; // null: no file
        std::string after;
    };
    const Case cases[] = {
        {nullptr, "[Rename]\r\n" + entry},
        {"", "[Rename]\r\n" + entry},
        {"[Rename]\r\nC:\\old.dll=C:\\old.tmp\r\n",
         "[Rename]\r\n" + entry + "C:\\old.dll=C:\\old.tmp\r\n"},
        {"[boot]\r\nx=1\r\n[Rename]\r\nNUL=C:\\gone.tmp\r\n[last]\r\n",
         "[boot]\r\nx=1\r\n[Rename]\r\n" + entry + "NUL=C:\\gone.tmp\r\n[last]\r\n"},
        {"[boot]\r\nx=1\r\n", "[boot]\r\nx=1\r\n[Rename]\r\n" + entry},
        // An unfinished last line is finished before the section is added.
        {"[boot]\r\nx=1", "[boot]\r\nx=1\r\n[Rename]\r\n" + entry},
        // The header is matched exactly.
        {"[rename]\r\n", "[rename]\r\n[Rename]\r\n" + entry},
    };
    int index = 0;
    for (const Case& c : cases) {
        const std::string path = folder.file("WinInit" + std::to_string(index++) + ".Ini");
        if (c.before) {
            ASSERT_TRUE(writeFile(path, c.before));
        }
        EXPECT_TRUE(addWinInitRename(path, "C:\\App\\a.dll", "C:\\Temp\\tmp1A.tmp"));
        EXPECT_EQ(readFile(path), c.after) << (c.before ? c.before : "(no file)");
    }
}

TEST(WinInitRename, NoDestinationIsWrittenAsNulAndALockedFileIsLeftAlone) {
    ScratchFolder folder;
    const std::string path = folder.file("WinInit.Ini");
    EXPECT_TRUE(addWinInitRename(path, "", "C:\\Temp\\x.tmp"));
    EXPECT_EQ(readFile(path), "[Rename]\r\nNUL=C:\\Temp\\x.tmp\r\n");

    HeldFile held(path, FILE_SHARE_READ);
    EXPECT_FALSE(addWinInitRename(path, "C:\\a", "C:\\b"));
    held.release();
    EXPECT_EQ(readFile(path), "[Rename]\r\nNUL=C:\\Temp\\x.tmp\r\n");
}

// WinInit.Ini of the prefix's Windows directory, put back as it was.
class WinInitGuard {
public:
    WinInitGuard() {
        char directory[MAX_PATH] = {};
        GetWindowsDirectoryA(directory, sizeof directory);
        path_ = std::string(directory) + "\\WinInit.Ini";
        present_ = fileExists(path_);
        if (present_)
            saved_ = readFile(path_);
    }
    ~WinInitGuard() {
        if (present_)
            writeFile(path_, saved_);
        else
            DeleteFileA(path_.c_str());
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
    bool present_ = false;
    std::string saved_;
};

long runCopyProbe(const std::string& source, const std::string& destination) {
    return runProcess("\"" + programDirectory() + "\\install_probe.exe\" copy \"" + source +
                      "\" \"" + destination + "\" 0");
}

TEST_F(LockedFileCopierTest, OnWindows98TheFileIsListedInWinInitIni) {
    WinInitGuard winInit;
    DeleteFileA(winInit.path().c_str());
    const WindowsVersionFor windows98("install_probe.exe", "win98");
    HeldFile held(destination_, exclusive);

    const long result = runCopyProbe(source_, destination_);

    ASSERT_EQ(result & 8, 8) << "the probe did not run as Windows 98: " << result;
    EXPECT_EQ(result, 2 | 4 | 8) << "not copied, restart needed, source kept";
    EXPECT_EQ(readFile(winInit.path()), "[Rename]\r\n" + destination_ + "=" + source_ + "\r\n");

    // A second file goes first into the section that now exists.
    const std::string other = folder_.file("b.dll");
    ASSERT_TRUE(writeFile(other, "old"));
    HeldFile heldOther(other, exclusive);
    EXPECT_EQ(runCopyProbe(source_, other), 2 | 4 | 8);
    EXPECT_EQ(readFile(winInit.path()), "[Rename]\r\n" + other + "=" + source_ + "\r\n" +
                                            destination_ + "=" + source_ + "\r\n");
}

TEST_F(LockedFileCopierTest, OnWindows98AnUnwritableWinInitStillNeedsARestart) {
    WinInitGuard winInit;
    ASSERT_TRUE(writeFile(winInit.path(), "[boot]\r\n"));
    HeldFile heldWinInit(winInit.path(), FILE_SHARE_READ);
    const WindowsVersionFor windows98("install_probe.exe", "win98");
    HeldFile held(destination_, exclusive);

    // Restart needed, but the source is not part of any replacement.
    EXPECT_EQ(runCopyProbe(source_, destination_), 2 | 8);
    heldWinInit.release();
    EXPECT_EQ(readFile(winInit.path()), "[boot]\r\n");
}

TEST_F(LockedFileCopierTest, OnAPlatformThatIsNeitherNTNor9xNothingIsScheduled) {
    WinInitGuard winInit;
    DeleteFileA(winInit.path().c_str());
    const std::vector<std::string> before = pendingRenames();
    const WindowsVersionFor win32s("install_probe.exe", "win31");
    HeldFile held(destination_, exclusive);

    EXPECT_EQ(runCopyProbe(source_, destination_), 0) << "not copied, no restart, no family";
    EXPECT_FALSE(fileExists(winInit.path()));
    EXPECT_EQ(pendingRenames(), before);
}

// The file installer's side of files in use: what it records, registers and
// leaves in the temporary directory.
class InstallerInUseTest : public ::testing::Test {
protected:
    void SetUp() override {
        archive_ = folder_.file("setup.zip");
        ArchiveWriter writer(archive_);
        ASSERT_TRUE(writer.add("lib.dll", "new library", dosDateTime(2004, 1, 2, 3, 4, 6)));
        ASSERT_TRUE(writer.close());
        destination_ = folder_.file("lib.dll");
        ASSERT_TRUE(writeFile(destination_, "old library"));
        temporary_ = std::make_unique<TemporaryDirectory>(folder_.file("tmp"));
        log_ = std::make_unique<UninstallLog>(folder_.path(), "setup.log", 1, false);
    }
    void TearDown() override {
        log_.reset();
        temporary_.reset();
    }

    std::unique_ptr<FileInstaller> installer(InUseQuestion* question) {
        return std::make_unique<FileInstaller>(*log_, nullptr, nullptr, context_, question,
                                               archive_);
    }
    bool logged(const char* section) const {
        const std::vector<std::string> entries = log_->entries(section);
        return std::find(entries.begin(), entries.end(), destination_) != entries.end();
    }

    ScratchFolder folder_;
    // The pending renames as the test found them, put back afterwards: the
    // tests schedule nothing that should outlive them.
    SavedValue pendingRenames_{HKEY_LOCAL_MACHINE, sessionManagerKey, pendingValue};
    SetupContext context_;
    std::string archive_;
    std::string destination_;
    std::unique_ptr<TemporaryDirectory> temporary_;
    std::unique_ptr<UninstallLog> log_;
};

TEST_F(InstallerInUseTest, FileWaitingForRestartIsRecordedNotRegisteredAndKeepsItsSource) {
    auto files = installer(nullptr);
    HeldFile held(destination_, exclusive);

    files->process("x,lib.dll," + destination_ + ",2");

    EXPECT_TRUE(files->restartNeeded());
    EXPECT_TRUE(logged("APPFILES"));
    EXPECT_FALSE(logged("REGDLLS"));
    EXPECT_EQ(temporary_->fileCount(), 1) << "the source of the delayed move must stay";
}

TEST_F(InstallerInUseTest, SourceCopiedInPlaceBySideNameIsDeleted) {
    auto files = installer(nullptr);
    HeldFile held(destination_, renamable);

    files->process("x,lib.dll," + destination_ + ",2");

    EXPECT_TRUE(files->restartNeeded());
    EXPECT_EQ(readFile(destination_), "new library");
    EXPECT_FALSE(logged("REGDLLS")) << "the old copy is still in use until the restart";
    EXPECT_EQ(temporary_->fileCount(), 0);
}

TEST_F(InstallerInUseTest, AbortDeletesTheUnusedSource) {
    ScriptedQuestion question({InUseQuestion::Abort});
    auto files = installer(&question);
    HeldFile held(destination_, exclusive);

    files->process("x,lib.dll," + destination_ + ",32");

    EXPECT_TRUE(context_.abortRequested());
    EXPECT_FALSE(files->restartNeeded());
    EXPECT_EQ(temporary_->fileCount(), 0);
    held.release();
    EXPECT_EQ(readFile(destination_), "old library");
}

} // namespace
