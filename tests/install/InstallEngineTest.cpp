#include "setup/config/SetupContext.h"
#include "setup/install/files/InUseQuestion.h"
#include "setup/install/InstallEngine.h"
#include "setup/install/base/Restart.h"
#include "setup/install/WizardCommands.h"
#include "tests/config/PackageFolder.h"
#include "tests/install/ArchiveWriter.h"
#include "tests/install/InstallTestSupport.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Registry.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace install_tests;
using config_tests::PackageFolder;
using testing_support::keyExists;
using testing_support::pumpMessagesUntil;
using testing_support::pumpWaitingMessages;
using testing_support::storedText;
using testing_support::storedValue;

const std::uint32_t memberTime = dosDateTime(2004, 3, 1, 12, 0, 0);
const char* const uninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// Answers every file-in-use question with Abort and remembers the paths.
class AbortingQuestion : public InUseQuestion {
public:
    Answer ask(const std::string& path) override {
        asked.push_back(path);
        return Abort;
    }
    std::vector<std::string> asked;
};

struct BarState {
    int high;
    int position;
};

BarState barState(HWND bar) {
    return {static_cast<int>(SendMessageA(bar, PBM_GETRANGE, FALSE, 0)),
            static_cast<int>(SendMessageA(bar, PBM_GETPOS, 0, 0))};
}

// A package in a scratch folder of the test's own: Setup.ini with every kind
// of installation section, an English.dat, and setup.zip with two members.
// The product name and the registry key carry the test's name and process id,
// so tests running side by side never meet; both keys are removed at the end.
class InstallEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        const std::string unique =
            std::string(test->name()) + "_" + std::to_string(GetCurrentProcessId());
        // The comma must stay inside the registration's key name.
        product_ = "EngineTest, " + unique;
        testKey_ = "Software\\InstallEngineTest_" + unique;
        app_ = package_.file("app");
        probeOutput_ = package_.file("after-install.txt");
        SetEnvironmentVariableA("START_PROBE_OUTPUT", probeOutput_.c_str());
        setRestartPending(false);
    }

    void TearDown() override {
        SetEnvironmentVariableA("START_PROBE_OUTPUT", nullptr);
        RegDeleteKeyA(HKEY_CURRENT_USER, testKey_.c_str());
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, (uninstallKey + product_).c_str());
        setRestartPending(false);
    }

    // Setup.ini with `sections` after the settings; `setupInfo` adds keys
    // of SETUP_INFO.
    void writePackage(const std::string& setupInfo, const std::string& sections) {
        package_.write("Setup.ini", "[GENERAL_INFO]\nProductName=" + product_ +
                                        "\n[SETUP_INFO]\nDefaultInstallationPath=" + app_ +
                                        "\nAddRemoveProgramsDescription=Engine test product"
                                        "\nTextLogFileFormat=Yes\n" +
                                        setupInfo +
                                        "[RUNAPPS]\nRunAfterInstall=Yes\nAfterInstall=" +
                                        programDirectory() + "\\run_probe.exe\n" + sections);
        package_.write("English.dat", "[STRINGS]\n1=x\n");
        ArchiveWriter writer(package_.file("setup.zip"));
        ASSERT_TRUE(writer.add("readme.txt", "read me", memberTime));
        ASSERT_TRUE(writer.add("data.bin", std::string(40000, 'd'), memberTime));
        ASSERT_TRUE(writer.close());
    }

    // Every section but FILE_TYPES (which would touch HKEY_CLASSES_ROOT for
    // all): ten records, three of them desktop or quick-launch icons.
    std::string everySection() const {
        return "[APPLICATION_FOLDERS]\n%AppDir%\\Data\n"
               "[APPLICATION_FILES]\n"
               "x,readme.txt,%AppDir%\\readme.txt,0,0,0\n"
               "x,data.bin,%AppDir%\\Data\\data.bin,0,0,0\n"
               "[SHORTCUT_FOLDERS]\n%Desktop%\\" +
               product_ +
               "\n"
               "[REGISTRY_ENTRIES]\n"
               "key,HKCU," +
               testKey_ +
               "\n"
               "value,HKCU," +
               testKey_ +
               ",Path,S,%AppDir%\n"
               "[SHORTCUTS]\n"
               "s,%AppDir%\\Links\\Readme,%AppDir%\\readme.txt,,,0,1,%AppDir%\n"
               "s,%Desktop%\\Readme,%AppDir%\\readme.txt,,,0,1,%AppDir%\n"
               "s,%QuickLaunchBar%\\Readme,%AppDir%\\readme.txt,,,0,1,%AppDir%\n"
               "[INI_FILES]\n%AppDir%\\app.ini,Options,Mode,Full\n";
    }

    // Starts the run and handles this thread's messages until the page has
    // a command (or a minute has passed); then makes sure the worker ended.
    void install(InUseQuestion* question = nullptr) {
        InstallEngine engine(page_.get(), *context_, overallBar_.get(), itemBar_.get(),
                             statusText_.get(), question);
        engine.start();
        pumpMessagesUntil([this] { return !page_.commands().empty(); }, 60000);
        EXPECT_EQ(engine.wait(10000), WAIT_OBJECT_0);
    }

    // The one command the page received.
    WPARAM command() const {
        EXPECT_EQ(page_.commands().size(), 1u);
        if (page_.commands().empty())
            return 0;
        EXPECT_EQ(page_.commands()[0].second, 0);
        return page_.commands()[0].first;
    }

    std::string header() const {
        std::string text = "[COMMON]\r\nApplication_Name=" + product_ + "\r\n";
        for (int line = 0; line < 13; ++line)
            text += "\r\n";
        return text;
    }

    PackageFolder package_{"package"};
    std::string product_, testKey_, app_, probeOutput_;
    std::unique_ptr<SetupContext> context_;
    PageWindow page_;
    HiddenWindow overallBar_{PROGRESS_CLASSA};
    HiddenWindow itemBar_{PROGRESS_CLASSA};
    HiddenWindow statusText_{"STATIC"};
};

TEST_F(InstallEngineTest, InstallsEverySectionLogsItAndRegistersTheUninstaller) {
    writePackage("EnableUninstaller=Yes\n", everySection());
    context_ = package_.load();
    context_->setVariable("CreateDesktopIcon", "No");
    context_->setVariable("CreateQuickLaunchIcon", "No");
    // Assigned by the run, not combined with what was there.
    setRestartPending(true);

    install();

    EXPECT_EQ(command(), static_cast<WPARAM>(WZ_INSTALL_DONE));
    EXPECT_FALSE(IsWindowVisible(page_.get()));
    EXPECT_FALSE(restartPending());
    EXPECT_EQ(readFile(app_ + "\\readme.txt"), "read me");
    EXPECT_EQ(readFile(app_ + "\\Data\\data.bin"), std::string(40000, 'd'));
    EXPECT_EQ(storedValue(HKEY_CURRENT_USER, testKey_, "Path"), storedText(app_));
    char value[64] = {};
    GetPrivateProfileStringA("Options", "Mode", "", value, sizeof value,
                             (app_ + "\\app.ini").c_str());
    EXPECT_STREQ(value, "Full");
    EXPECT_TRUE(fileExists(app_ + "\\Links\\Readme.lnk"));
    EXPECT_FALSE(fileExists(app_ + "\\error.log"));

    const std::string registration = uninstallKey + product_;
    EXPECT_EQ(storedValue(HKEY_LOCAL_MACHINE, registration, "DisplayName"),
              storedText("Engine test product"));
    EXPECT_EQ(storedValue(HKEY_LOCAL_MACHINE, registration, "UninstallString"),
              storedText("\"" + app_ + "\\uninstall.exe\""));

    EXPECT_EQ(readFile(app_ + "\\setup.log"),
              header() + "[SHAREDFILES]\r\n[STDFILES]\r\n[APPFILES]\r\n" + app_ +
                  "\\Links\\Readme.lnk\r\n" + app_ + "\\Data\\data.bin\r\n" + app_ +
                  "\\readme.txt\r\n" + app_ + "\\setup.log\r\n[APPFOLDERS]\r\n" + app_ +
                  "\\Links\r\n[APPDIR]\r\n" + app_ + "\\Data\r\n" + app_ +
                  "\r\n[REGVALUES]\r\nHKLM," + registration + ",UninstallString\r\nHKLM," +
                  registration + ",DisplayName\r\nHKCU," + testKey_ +
                  ",Path\r\n[REGENTRY]\r\nHKLM," + registration + "\r\nHKCU," + testKey_ +
                  "\r\n[REGDLLS]\r\n[RUNAPPS]\r\n");

    // The three icons left out move neither bar; the last section, INI_FILES,
    // ran its one record.
    const BarState overall = barState(overallBar_.get());
    EXPECT_EQ(overall.high, 10);
    EXPECT_EQ(overall.position, 7);
    const BarState item = barState(itemBar_.get());
    EXPECT_EQ(item.high, 1);
    EXPECT_EQ(item.position, 1);
    EXPECT_EQ(statusText_.text(), "");
    EXPECT_TRUE(fileExists(probeOutput_));
}

// Imitation changes nothing and writes no log, yet every record takes its
// pause and moves both bars, the after-install program runs and ForceRestart
// alone decides the restart.
TEST_F(InstallEngineTest, ImitationTouchesNothingButRunsTheWholeDisplay) {
    writePackage("EnableUninstaller=Yes\nForceRestart=Yes\n", everySection());
    context_ = package_.load();
    context_->setVariable("Imitation", "Yes");
    context_->setVariable("CreateDesktopIcon", "No");
    context_->setVariable("CreateQuickLaunchIcon", "No");

    const DWORD start = GetTickCount();
    install();

    EXPECT_EQ(command(), static_cast<WPARAM>(WZ_INSTALL_DONE));
    EXPECT_GE(GetTickCount() - start, 10u * 50u - 20u);
    EXPECT_TRUE(restartPending());
    EXPECT_FALSE(directoryExists(app_));
    EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, testKey_));
    EXPECT_FALSE(keyExists(HKEY_LOCAL_MACHINE, uninstallKey + product_));
    const BarState overall = barState(overallBar_.get());
    EXPECT_EQ(overall.high, 10);
    EXPECT_EQ(overall.position, 10);
    EXPECT_TRUE(fileExists(probeOutput_));
}

TEST_F(InstallEngineTest, WithoutUninstallerNoRegistrationAndNoLog) {
    writePackage("EnableUninstaller=No\n", everySection());
    context_ = package_.load();

    install();

    EXPECT_EQ(command(), static_cast<WPARAM>(WZ_INSTALL_DONE));
    EXPECT_EQ(readFile(app_ + "\\readme.txt"), "read me");
    EXPECT_TRUE(keyExists(HKEY_CURRENT_USER, testKey_));
    EXPECT_FALSE(keyExists(HKEY_LOCAL_MACHINE, uninstallKey + product_));
    context_.reset();
    EXPECT_FALSE(fileExists(app_ + "\\setup.log"));
}

// Abort in the file-in-use question ends the section at once and skips every
// later section; the log is written when the context goes and lists what was
// installed up to then.
TEST_F(InstallEngineTest, AbortForAFileInUseEndsTheRun) {
    writePackage("EnableUninstaller=Yes\n", "[APPLICATION_FOLDERS]\n%AppDir%\n"
                                            "[APPLICATION_FILES]\n"
                                            "x,data.bin,%AppDir%\\data.bin,0,0,0\n"
                                            "x,readme.txt,%AppDir%\\readme.txt,32,0,0\n"
                                            "x,data.bin,%AppDir%\\after.bin,0,0,0\n"
                                            "[SYSTEM_FOLDERS]\n%AppDir%\\System\n"
                                            "[REGISTRY_ENTRIES]\nkey,HKCU," +
                                                testKey_ + "\n");
    CreateDirectoryA(app_.c_str(), nullptr);
    ASSERT_TRUE(writeFile(app_ + "\\readme.txt", "old"));
    const HANDLE held = CreateFileA((app_ + "\\readme.txt").c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    context_ = package_.load();
    AbortingQuestion question;

    install(&question);
    CloseHandle(held);

    EXPECT_EQ(command(), static_cast<WPARAM>(WZ_INSTALL_ABORTED));
    EXPECT_EQ(question.asked, std::vector<std::string>{app_ + "\\readme.txt"});
    EXPECT_TRUE(IsWindowVisible(page_.get()));
    EXPECT_EQ(readFile(app_ + "\\readme.txt"), "old");
    EXPECT_FALSE(fileExists(app_ + "\\after.bin"));
    EXPECT_FALSE(directoryExists(app_ + "\\System"));
    EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, testKey_));
    EXPECT_FALSE(fileExists(probeOutput_));
    EXPECT_FALSE(fileExists(app_ + "\\setup.log"));

    context_.reset();
    const std::string log = readFile(app_ + "\\setup.log");
    EXPECT_EQ(log.rfind(header(), 0), 0u) << log;
    EXPECT_NE(log.find("\r\n" + app_ + "\\data.bin\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("\r\n" + app_ + "\\setup.log\r\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("after.bin"), std::string::npos) << log;
}

// stop() ends a run at its next record and waits for the worker, while the
// worker still sends its updates to the bars this thread owns.
TEST_F(InstallEngineTest, StopEndsARunningInstallation) {
    std::string files = "[APPLICATION_FILES]\n";
    for (int record = 0; record < 100; ++record)
        files += "x,readme.txt,%AppDir%\\r" + std::to_string(record) + ".txt,0,0,0\n";
    writePackage("EnableUninstaller=Yes\n", files);
    context_ = package_.load();
    context_->setVariable("Imitation", "Yes");

    auto engine = std::make_unique<InstallEngine>(page_.get(), *context_, overallBar_.get(),
                                                  itemBar_.get(), statusText_.get());
    engine->start();
    const DWORD start = GetTickCount();
    engine->stop();
    EXPECT_LT(GetTickCount() - start, 2000u);
    EXPECT_EQ(engine->wait(0), WAIT_OBJECT_0);
    engine.reset();

    pumpWaitingMessages();
    EXPECT_EQ(command(), static_cast<WPARAM>(WZ_INSTALL_ABORTED));
    EXPECT_LT(barState(overallBar_.get()).position, 100);
    EXPECT_FALSE(fileExists(probeOutput_));
}

// An archive that is gone or is no archive fails the run at its start: the
// failure is caught, nothing is installed, the log holds only its header and
// itself, and the page hears a normal end.
TEST_F(InstallEngineTest, AFailedArchiveStillLogsAndEndsNormally) {
    const struct {
        const char* name;
        bool present;
    } cases[] = {{"missing", false}, {"not a zip", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writePackage("EnableUninstaller=Yes\n", everySection());
        context_ = package_.load();
        // A directory from an earlier installation, so the log has a home.
        CreateDirectoryA(app_.c_str(), nullptr);
        DeleteFileA(package_.file("setup.zip").c_str());
        if (c.present) {
            ASSERT_TRUE(writeFile(package_.file("setup.zip"), "not an archive"));
        }
        PageWindow page;
        InstallEngine engine(page.get(), *context_, overallBar_.get(), itemBar_.get(),
                             statusText_.get());
        engine.start();
        pumpMessagesUntil([&page] { return !page.commands().empty(); }, 60000);
        ASSERT_EQ(page.commands().size(), 1u);
        EXPECT_EQ(page.commands()[0].first, static_cast<WPARAM>(WZ_INSTALL_DONE));
        EXPECT_EQ(engine.wait(10000), WAIT_OBJECT_0);
        // The page learns that the run failed, and why.
        EXPECT_EQ(engine.failure(), "File not found: \"setup.zip\"");

        EXPECT_FALSE(fileExists(app_ + "\\readme.txt"));
        EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, testKey_));
        EXPECT_FALSE(fileExists(probeOutput_));
        EXPECT_EQ(readFile(app_ + "\\setup.log"),
                  header() + "[SHAREDFILES]\r\n[STDFILES]\r\n[APPFILES]\r\n" + app_ +
                      "\\setup.log\r\n[APPFOLDERS]\r\n[APPDIR]\r\n[REGVALUES]\r\n[REGENTRY]\r\n"
                      "[REGDLLS]\r\n[RUNAPPS]\r\n");
        context_.reset();
        removeTree(app_);
    }
}

} // namespace
