#include "setup/config/SetupContext.h"
#include "setup/install/files/FileInstaller.h"
#include "setup/install/base/SharedDll.h"
#include "setup/install/base/UninstallLog.h"
#include "tests/install/ArchiveWriter.h"
#include "tests/install/InstallTestSupport.h"
#include "tests/support/Registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace install_tests;
using testing_support::keyExists;
using testing_support::stored;
using testing_support::storedValue;
using testing_support::StoredValue;
using testing_support::storeValue;

const char sharedDllsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

// A fresh prefix may lack the key; the engine never creates it, the tests do.
void ensureSharedDllsKey() {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, sharedDllsKey, 0, nullptr, 0, KEY_READ, nullptr, &key,
                        nullptr) == ERROR_SUCCESS)
        RegCloseKey(key);
}

void deleteValue(const std::string& name) {
    storeValue(HKEY_LOCAL_MACHINE, sharedDllsKey, name, StoredValue());
}

// The count stored for `name`; -1 when there is no REG_DWORD of that name.
long storedCount(const std::string& name) {
    const StoredValue value = storedValue(HKEY_LOCAL_MACHINE, sharedDllsKey, name);
    if (!value.present || value.type != REG_DWORD || value.bytes.size() != 4)
        return -1;
    DWORD count = 0;
    std::memcpy(&count, value.bytes.data(), 4);
    return static_cast<long>(count);
}

std::string testName() {
    return ::testing::UnitTest::GetInstance()->current_test_info()->name();
}

class SharedCountTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensureSharedDllsKey();
        name_ = "C:\\install-tests\\" + testName() + ".dll";
        deleteValue(name_);
    }
    void TearDown() override { deleteValue(name_); }

    std::string name_;
};

TEST_F(SharedCountTest, MissingValueStartsAtOneAndEachInstallAddsOne) {
    EXPECT_EQ(incrementSharedCount(name_), 1);
    EXPECT_EQ(incrementSharedCount(name_), 2);
    EXPECT_EQ(storedCount(name_), 2);
}

TEST_F(SharedCountTest, ValueThatIsNotAFourByteNumberStartsAgainAtOne) {
    const DWORD seven = 7;
    struct Case {
        DWORD type;
        std::string data;
        long expected;
    };
    const Case cases[] = {
        {REG_DWORD, std::string(reinterpret_cast<const char*>(&seven), 4), 8},
        {REG_SZ, std::string("1234567", 8), 1},
        {REG_SZ, std::string("7", 2), 1}, // short enough to fit, still not a count
        {REG_BINARY, std::string("\x05", 2), 1},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(storeValue(HKEY_LOCAL_MACHINE, sharedDllsKey, name_, stored(c.type, c.data)));
        EXPECT_EQ(incrementSharedCount(name_), c.expected) << "type " << c.type;
        EXPECT_EQ(storedCount(name_), c.expected) << "type " << c.type;
    }
}

TEST_F(SharedCountTest, MissingKeyGivesMinusOneAndIsNotCreated) {
    // Keep what the key holds, remove it, and put it back afterwards.
    std::vector<std::pair<std::string, StoredValue>> saved;
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, sharedDllsKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    char name[1024];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        if (RegEnumValueA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        saved.emplace_back(name, storedValue(HKEY_LOCAL_MACHINE, sharedDllsKey, name));
    }
    RegCloseKey(key);
    ASSERT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, sharedDllsKey), ERROR_SUCCESS);

    const std::int32_t count = incrementSharedCount(name_);
    const bool created = keyExists(HKEY_LOCAL_MACHINE, sharedDllsKey);

    ensureSharedDllsKey();
    for (const auto& value : saved)
        storeValue(HKEY_LOCAL_MACHINE, sharedDllsKey, value.first, value.second);
    EXPECT_EQ(count, -1);
    EXPECT_FALSE(created);
}

// A setup directory with spaces in its name holding the probe program and a
// stand-in Regsvr32.exe; beside it a decoy "setup.exe" that an unquoted
// command line would start instead.
class SelfRegisterTest : public ::testing::Test {
protected:
    void SetUp() override {
        setupDirectory_ = folder_.file("setup dir");
        CreateDirectoryA(setupDirectory_.c_str(), nullptr);
        const std::string tests = programDirectory();
        probe_ = setupDirectory_ + "\\install_probe.exe";
        ASSERT_TRUE(CopyFileA((tests + "\\install_probe.exe").c_str(), probe_.c_str(), FALSE));
        ASSERT_TRUE(CopyFileA((tests + "\\Regsvr32.exe").c_str(), folder_.file("setup.exe").c_str(),
                              FALSE));
        output_ = folder_.file("registrations.txt");
        SetEnvironmentVariableA("START_PROBE_OUTPUT", output_.c_str());
        SetEnvironmentVariableA("START_PROBE_SLEEP_MS", "300");
    }
    void TearDown() override {
        SetEnvironmentVariableA("START_PROBE_OUTPUT", nullptr);
        SetEnvironmentVariableA("START_PROBE_SLEEP_MS", nullptr);
    }

    std::vector<std::string> registrations() const {
        std::vector<std::string> lines;
        std::ifstream in(output_);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    ScratchFolder folder_;
    std::string setupDirectory_;
    std::string probe_;
    std::string output_;
};

TEST_F(SelfRegisterTest, RunsRegsvr32FromTheSetupDirectoryHiddenQuotedAndWaitsForIt) {
    const std::string regsvr32 = setupDirectory_ + "\\Regsvr32.exe";
    ASSERT_TRUE(
        CopyFileA((programDirectory() + "\\Regsvr32.exe").c_str(), regsvr32.c_str(), FALSE));
    const std::string library = folder_.file("my lib.dll");

    ASSERT_EQ(runProcess("\"" + probe_ + "\" register \"" + library + "\""), 0);

    // Path, command line, current directory and show command of one start.
    const std::vector<std::string> lines = registrations();
    ASSERT_EQ(lines.size(), 4u) << "the registration was not waited for, or the decoy ran";
    EXPECT_STRCASEEQ(lines[0].c_str(), regsvr32.c_str());
    EXPECT_EQ(lines[1], "\"" + regsvr32 + "\" /s \"" + library + "\"");
    EXPECT_EQ(lines[3], std::to_string(SW_HIDE));
}

TEST_F(SelfRegisterTest, MissingRegsvr32IsIgnored) {
    ASSERT_EQ(runProcess("\"" + probe_ + "\" register \"" + folder_.file("a.dll") + "\""), 0);
    EXPECT_TRUE(registrations().empty());
}

// Flags 2, 4 and 8 through the file installer, with the stand-in Regsvr32.exe
// that lies beside the test program.
class RegistrationFlagsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensureSharedDllsKey();
        archive_ = folder_.file("setup.zip");
        ArchiveWriter writer(archive_);
        ASSERT_TRUE(writer.add("lib.dll", "library bytes", dosDateTime(2004, 1, 2, 3, 4, 6)));
        ASSERT_TRUE(writer.close());
        output_ = folder_.file("registrations.txt");
        SetEnvironmentVariableA("START_PROBE_OUTPUT", output_.c_str());
        log_ = std::make_unique<UninstallLog>(folder_.path(), "setup.log", 1, false);
        installer_ =
            std::make_unique<FileInstaller>(*log_, nullptr, nullptr, context_, nullptr, archive_);
    }
    void TearDown() override {
        SetEnvironmentVariableA("START_PROBE_OUTPUT", nullptr);
        for (const std::string& name : counted_)
            deleteValue(name);
        installer_.reset();
        log_.reset();
    }

    std::string destination(const char* name) {
        counted_.push_back(folder_.file(name));
        return counted_.back();
    }
    std::string registered() const {
        std::ifstream in(output_);
        std::string all, line;
        while (std::getline(in, line))
            all += line + "\n";
        return all;
    }
    bool logged(const char* section, const std::string& text) const {
        const std::vector<std::string> entries = log_->entries(section);
        return std::find(entries.begin(), entries.end(), text) != entries.end();
    }

    ScratchFolder folder_;
    std::string archive_;
    std::string output_;
    SetupContext context_;
    std::unique_ptr<UninstallLog> log_;
    std::unique_ptr<FileInstaller> installer_;
    std::vector<std::string> counted_;
};

TEST_F(RegistrationFlagsTest, FileIsRecordedThenCountedThenRegistered) {
    const std::string library = destination("lib.dll");
    installer_->process("x,lib.dll," + library + ",6");

    EXPECT_EQ(storedCount(library), 1);
    EXPECT_NE(registered().find("/s \"" + library + "\""), std::string::npos) << registered();
    EXPECT_TRUE(logged("APPFILES", library));
    EXPECT_TRUE(logged("REGDLLS", library));
}

TEST_F(RegistrationFlagsTest, KeptFileIsCountedAndFlag8KeepsRegistrationOutOfTheLog) {
    const std::string kept = destination("kept.dll");
    ASSERT_TRUE(writeFile(kept, "installed earlier"));
    installer_->process("x,lib.dll," + kept + ",4,7");
    EXPECT_EQ(storedCount(kept), 1);
    EXPECT_EQ(readFile(kept), "installed earlier");

    const std::string quiet = destination("quiet.dll");
    installer_->process("x,lib.dll," + quiet + ",10");
    EXPECT_NE(registered().find("/s \"" + quiet + "\""), std::string::npos);
    EXPECT_FALSE(logged("APPFILES", quiet));
    EXPECT_FALSE(logged("REGDLLS", quiet));
    EXPECT_EQ(storedCount(quiet), -1);
}

} // namespace
