#include "tests/support/Registry.h"
#include "tests/support/TestFiles.h"
#include "tests/uninstall/UninstallTestSupport.h"
#include "uninstall/ExitCodes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace uninstall_tests;
using testing_support::fileExists;
using testing_support::keyExists;
using testing_support::programDirectory;
using testing_support::readFile;
using testing_support::ScratchFolder;
using testing_support::uniqueName;
using testing_support::writeFile;

// A log beside a copy of the uninstaller that names one file and one
// registry key; the cases break it in one place each.
class UninstallLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        key_ = "Software\\" + uniqueName("UninstallLog");
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(key);
        ASSERT_TRUE(writeFile(folder_ / "uninstall.exe", uninstallerBytes()));
        ASSERT_TRUE(writeFile(folder_ / "app.txt", "app"));
    }
    void TearDown() override { testing_support::deleteKeyTree(HKEY_CURRENT_USER, key_); }

    // A log in text form with `sections` after [COMMON] (defaults: the file
    // and the key).
    std::string log(const std::string& common, const std::string& sections) const {
        return "[COMMON]\r\n" + common + sections;
    }
    std::string common() const {
        std::string text = "Application_Name=Log test\r\n";
        for (int line = 0; line < 13; ++line)
            text += "\r\n";
        return text;
    }
    std::string sections(const std::string& appFiles, const std::string& regEntry,
                         const std::string& runApps = "") const {
        return "[SHAREDFILES]\r\n[STDFILES]\r\n[APPFILES]\r\n" + appFiles +
               "[APPFOLDERS]\r\n[APPDIR]\r\n[REGVALUES]\r\n[REGENTRY]\r\n" + regEntry +
               "[REGDLLS]\r\n[RUNAPPS]\r\n" + runApps;
    }
    std::string goodLog() const {
        return log(common(), sections(folder_ / "app.txt\r\n", "HKCU," + key_ + "\r\n"));
    }

    long runUninstaller(const std::string& arguments = "/S") const {
        return finishProcess(startProcess("\"" + folder_ / "uninstall.exe\" " + arguments));
    }

    ScratchFolder folder_{"log"};
    std::string key_;
};

std::string complemented(std::string text) {
    for (char& c : text)
        c = static_cast<char>(255 - static_cast<unsigned char>(c));
    return text;
}

// Bad input changes nothing: the named file and key stay, no program runs,
// and the exit code tells a missing log from an unusable one.
TEST_F(UninstallLogTest, ABadLogChangesNothing) {
    const std::string file = folder_ / "app.txt\r\n";
    const std::string key = "HKCU," + key_ + "\r\n";
    const std::string good = goodLog();
    const std::string probeOutput = folder_ / "probe.txt";
    const struct {
        const char* name;
        std::string bytes; // "<none>": no log at all
        long exitCode;
    } cases[] = {
        {"no log", "<none>", ExitNoLog},
        {"empty", "", ExitUnusableLog},
        {"cut inside a line", good.substr(0, good.size() - 12), ExitUnusableLog},
        {"cut after a section", good.substr(0, good.find("[REGDLLS]")), ExitUnusableLog},
        {"garbled bytes", std::string("\x01\x9f\xff garbage\r\n", 13), ExitUnusableLog},
        {"encoded, LF line ends",
         complemented(log(common(), sections(file, key)).substr(0, 10) + "\nx\n"), ExitUnusableLog},
        {"a zero byte", log(common(), sections(folder_ / std::string("a\0b\r\n", 5), key)),
         ExitUnusableLog},
        {"twelve dialog lines", log(common().substr(2), sections(file, key)), ExitUnusableLog},
        {"sections out of order",
         log(common(), "[STDFILES]\r\n[SHAREDFILES]\r\n" + sections(file, key).substr(27)),
         ExitUnusableLog},
        {"relative path", log(common(), sections("app.txt\r\n" + file, key)), ExitUnusableLog},
        {"path too long",
         log(common(), sections("C:\\" + std::string(300, 'a') + "\r\n" + file, key)),
         ExitUnusableLog},
        {"wildcard", log(common(), sections(folder_ / "*.txt\r\n", key)), ExitUnusableLog},
        {"key without root", log(common(), sections(file, key_ + "\r\n")), ExitUnusableLog},
        {"unknown root", log(common(), sections(file, "HKXX," + key_ + "\r\n" + key)),
         ExitUnusableLog},
        {"root in lower case", log(common(), sections(file, "hkcu," + key_ + "\r\n")),
         ExitUnusableLog},
        {"a command that is not BeforeUninstall",
         log(common(),
             sections(file, key, "AfterInstall=" + programDirectory() + "\\run_probe.exe\r\n")),
         ExitUnusableLog},
    };
    SetEnvironmentVariableA("START_PROBE_OUTPUT", probeOutput.c_str());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteFileA((folder_ / "setup.log").c_str());
        if (c.bytes != "<none>") {
            ASSERT_TRUE(writeFile(folder_ / "setup.log", c.bytes));
        }

        EXPECT_EQ(runUninstaller(), c.exitCode);

        EXPECT_EQ(readFile(folder_ / "app.txt"), "app");
        EXPECT_TRUE(keyExists(HKEY_CURRENT_USER, key_));
        EXPECT_FALSE(fileExists(probeOutput));
        if (c.bytes != "<none>") {
            EXPECT_EQ(readFile(folder_ / "setup.log"), c.bytes);
        }
    }
    SetEnvironmentVariableA("START_PROBE_OUTPUT", nullptr);
}

// The same log read as text and encoded, found beside the uninstaller or
// named on the command line; the uninstaller itself is not in the log, so it
// stays.
TEST_F(UninstallLogTest, ATextOrEncodedLogRemovesWhatItNames) {
    const struct {
        const char* name;
        bool encoded;
        const char* logName;
        const char* arguments;
    } cases[] = {{"text beside", false, "setup.log", "/S"},
                 {"encoded beside", true, "setup.log", "-s"},
                 {"encoded, named", true, "other.log", "/s \"%s\""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(writeFile(folder_ / "app.txt", "app"));
        testing_support::deleteKeyTree(HKEY_CURRENT_USER, key_);
        HKEY created = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &created, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(created);
        const std::string logPath = folder_ / c.logName;
        const std::string text = log(common(), sections(folder_ / "app.txt\r\n" + logPath + "\r\n",
                                                        "HKCU," + key_ + "\r\n"));
        ASSERT_TRUE(writeFile(logPath, c.encoded ? complemented(text) : text));
        std::string arguments = c.arguments;
        const std::string::size_type slot = arguments.find("%s");
        if (slot != std::string::npos)
            arguments.replace(slot, 2, logPath);

        EXPECT_EQ(runUninstaller(arguments), ExitRemoved);

        EXPECT_FALSE(fileExists(folder_ / "app.txt"));
        EXPECT_FALSE(fileExists(logPath));
        EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, key_));
        EXPECT_TRUE(fileExists(folder_ / "uninstall.exe"));
    }
}

// A key that gained a value the log does not list stays, is reported by the
// exit code, and the rest goes; an unknown switch changes nothing.
TEST_F(UninstallLogTest, ForeignContentStaysAndUnknownSwitchesAreRefused) {
    ASSERT_TRUE(writeFile(folder_ / "setup.log", goodLog()));
    EXPECT_EQ(runUninstaller("/S /X"), ExitBadCommandLine);
    EXPECT_TRUE(fileExists(folder_ / "app.txt"));

    ASSERT_TRUE(testing_support::storeValue(HKEY_CURRENT_USER, key_, "Mine",
                                            testing_support::storedText("user")));
    EXPECT_EQ(runUninstaller(), ExitItemsLeft);
    EXPECT_FALSE(fileExists(folder_ / "app.txt"));
    EXPECT_TRUE(keyExists(HKEY_CURRENT_USER, key_));
}

} // namespace
