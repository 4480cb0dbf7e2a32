#include "tests/install/InstallTestSupport.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/Registry.h"
#include "tests/uninstall/UninstallTestSupport.h"
#include "uninstall/ExitCodes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace uninstall_tests;
using install_tests::fileExists;
using install_tests::programDirectory;
using install_tests::readFile;
using install_tests::ScratchFolder;
using install_tests::writeFile;
using testing_support::clickButton;
using testing_support::SavedValue;
using testing_support::staticTexts;
using testing_support::storedValue;
using testing_support::uniqueName;
using testing_support::waitForWindow;

const char uninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const char sharedDllsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
const char sessionManagerKey[] = "System\\CurrentControlSet\\Control\\Session Manager";

// Each test installs into a scratch folder of its own under product names and
// registry keys that carry its name and process; what an uninstallation
// leaves is removed at the end.
class UninstallFlowTest : public ::testing::Test {
protected:
    void SetUp() override {
        unique_ = uniqueName("Uninstall");
        testKey_ = "Software\\" + unique_;
        extension_ = "." + unique_;
        fileType_ = unique_ + "File";
        probeOutput_ = root_ / "probe.txt";
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, sharedDllsKey, 0, nullptr, 0, KEY_READ, nullptr,
                            &key, nullptr) == ERROR_SUCCESS)
            RegCloseKey(key);
    }

    void TearDown() override {
        SetEnvironmentVariableA("START_PROBE_OUTPUT", nullptr);
        for (const std::string& product : products_)
            testing_support::deleteKeyTree(HKEY_LOCAL_MACHINE, uninstallKey + product);
        testing_support::deleteKeyTree(HKEY_CURRENT_USER, testKey_);
        testing_support::deleteKeyTree(HKEY_CLASSES_ROOT, extension_);
        testing_support::deleteKeyTree(HKEY_CLASSES_ROOT, fileType_);
        testing_support::storeValue(HKEY_LOCAL_MACHINE, sharedDllsKey, sharedDll(),
                                    testing_support::StoredValue());
    }

    std::string product(const std::string& label) {
        products_.push_back(unique_ + " " + label);
        return products_.back();
    }
    std::string sharedDll() const { return root_ / "Shared\\shared.dll"; }

    // What the tests compare before and after: the scratch folder and every
    // registry key or value the packages touch.
    std::string snapshot() const {
        return fileTree(root_.path()) + registryTree(HKEY_CURRENT_USER, testKey_) +
               registryTree(HKEY_CLASSES_ROOT, extension_) +
               registryTree(HKEY_CLASSES_ROOT, fileType_) +
               registryTree(HKEY_LOCAL_MACHINE,
                            uninstallKey + (products_.empty() ? std::string("-") : products_[0])) +
               testing_support::storedValue(HKEY_LOCAL_MACHINE, sharedDllsKey, sharedDll()).bytes;
    }

    long uninstallSilently(const std::string& appDir) {
        return finishProcess(startProcess("\"" + appDir + "\\uninstall.exe\" /S"));
    }

    ScratchFolder root_{"root"};
    std::string unique_, testKey_, extension_, fileType_, probeOutput_;
    std::vector<std::string> products_;
};

// Everything a package can install goes, in the right order: the
// before-uninstall program runs first, the registered DLL is unregistered
// with the registration program beside the uninstaller, and in the end the
// uninstaller and the nested application folders are gone too. The system
// file stays; the INI entry, which the log does not name, stays.
TEST_F(UninstallFlowTest, SilentRemovalOfAnEncodedLogPutsEverythingBack) {
    const std::string appDir = root_ / "Vendor\\App";
    const std::string before = snapshot();
    installPackage(
        product("Full"), appDir, "TextLogFileFormat=No\n",
        "[RUNAPPS]\nRunBeforeUninstall=Yes\nBeforeUninstall=" + programDirectory() +
            "\\run_probe.exe\n"
            "[APPLICATION_FOLDERS]\n%AppDir%\\Data\n"
            "[APPLICATION_FILES]\n"
            "x,uninstall.exe,%AppDir%\\uninstall.exe,0,0,0\n"
            "x,Regsvr32.exe,%AppDir%\\Regsvr32.exe,0,0,0\n"
            "x,readme.txt,%AppDir%\\readme.txt,0,0,0\n"
            "x,readme.txt,%AppDir%\\Data\\plugin.dll,2,0,0\n"
            "[SYSTEM_FOLDERS]\n" +
            root_.path() +
            "\\System\n"
            "[SYSTEM_FILES]\nx,readme.txt," +
            root_.path() +
            "\\System\\std.dll,0,0,0\n"
            "[REGISTRY_ENTRIES]\nkey,HKCU," +
            testKey_ + "\nkey,HKCU," + testKey_ +
            "\\Sub\n"
            "value,HKCU," +
            testKey_ +
            "\\Sub,Path,S,%AppDir%\n"
            "value,HKCU," +
            testKey_ +
            ",(Default),S,x\n"
            "[FILE_TYPES]\n" +
            extension_ + "," + fileType_ +
            ",Test file,%AppDir%\\readme.txt,"
            "%AppDir%\\readme.txt,0\n"
            "[SHORTCUTS]\ns,%AppDir%\\Links\\Readme,%AppDir%\\readme.txt,,,0,1,%AppDir%\n"
            "[INI_FILES]\n" +
            root_.path() + "\\settings.ini,Options,Mode,Full\n",
        {{"uninstall.exe", uninstallerBytes()},
         {"Regsvr32.exe", readFile(programDirectory() + "\\Regsvr32.exe")},
         {"readme.txt", "read me"}});
    ASSERT_TRUE(fileExists(appDir + "\\Links\\Readme.lnk"));
    ASSERT_EQ(static_cast<unsigned char>(readFile(appDir + "\\setup.log")[0]), 0xA4);
    ASSERT_FALSE(registryTree(HKEY_CLASSES_ROOT, fileType_).empty());

    SetEnvironmentVariableA("START_PROBE_OUTPUT", probeOutput_.c_str());
    SavedValue pendingRenames(HKEY_LOCAL_MACHINE, sessionManagerKey, "PendingFileRenameOperations");
    EXPECT_EQ(uninstallSilently(appDir), ExitRemoved);
    EXPECT_TRUE(waitUntilRemoved(root_ / "Vendor"));

    // The before-uninstall program ran first, then the registration program
    // beside the uninstaller, asked to unregister the DLL.
    const std::string probe = readFile(probeOutput_);
    const std::string::size_type run = probe.find("run_probe.exe");
    const std::string::size_type unregister =
        probe.find("/s /u \"" + appDir + "\\Data\\plugin.dll\"");
    EXPECT_NE(run, std::string::npos) << probe;
    EXPECT_NE(unregister, std::string::npos) << probe;
    EXPECT_LT(run, unregister) << probe;
    DeleteFileA(probeOutput_.c_str());

    char mode[16] = {};
    GetPrivateProfileStringA("Options", "Mode", "", mode, sizeof mode,
                             (root_ / "settings.ini").c_str());
    EXPECT_STREQ(mode, "Full");
    DeleteFileA((root_ / "settings.ini").c_str());
    EXPECT_EQ(readFile(root_ / "System\\std.dll"), "read me");
    install_tests::removeTree(root_ / "System");
    EXPECT_EQ(snapshot(), before);
}

// A shared DLL installed by two products survives the removal of the first
// and goes with the second, when its user agrees in the interactive run. The
// windows of that run show the dialog lines of the second product's log.
TEST_F(UninstallFlowTest, ASharedDllGoesWithTheLastProductThatCountsIt) {
    const std::string first = root_ / "First", second = root_ / "Second";
    const auto sharedPackage = [this]() {
        return "[APPLICATION_FOLDERS]\n%AppDir%\n"
               "[APPLICATION_FILES]\nx,uninstall.exe,%AppDir%\\uninstall.exe,0,0,0\n"
               "[SHARED_FOLDERS]\n" +
               root_.path() +
               "\\Shared\n"
               "[SHARED_FILES]\nx,shared.dll," +
               sharedDll() + ",4,0,0\n";
    };
    const std::vector<Member> members = {{"uninstall.exe", uninstallerBytes()},
                                         {"shared.dll", "shared code"}};
    installPackage(product("First"), first, "", sharedPackage(), members);
    const std::string secondProduct = product("Second");
    installPackage(secondProduct, second, "TextLogFileFormat=Yes\n", sharedPackage(), members,
                   "[UNINSTALL_DIALOG]\nTake away %AppName%\nRemove %AppName% now?\n&Yes\n&No\n"
                   "Removing\nShared file\nRemove %File%?\n&Remove\n&Keep\n"
                   "All gone: %AppName%.\n");
    ASSERT_EQ(storedValue(HKEY_LOCAL_MACHINE, sharedDllsKey, sharedDll()),
              testing_support::stored(REG_DWORD, std::string("\2\0\0\0", 4)));

    SavedValue pendingRenames(HKEY_LOCAL_MACHINE, sessionManagerKey, "PendingFileRenameOperations");
    EXPECT_EQ(uninstallSilently(first), ExitRemoved);
    EXPECT_TRUE(waitUntilRemoved(first));
    EXPECT_EQ(readFile(sharedDll()), "shared code");
    EXPECT_EQ(storedValue(HKEY_LOCAL_MACHINE, sharedDllsKey, sharedDll()),
              testing_support::stored(REG_DWORD, std::string("\1\0\0\0", 4)));

    const HANDLE process = startProcess("\"" + second + "\\uninstall.exe\"");
    const std::string title = "Take away " + secondProduct;
    HWND window = waitForWindow("#32770", title.c_str());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(staticTexts(window), std::vector<std::string>{"Remove " + secondProduct + " now?"});
    clickButton(window, IDYES);

    window = waitForWindow("#32770", "Shared file");
    ASSERT_NE(window, nullptr);
    const std::vector<std::string> question = staticTexts(window);
    ASSERT_EQ(question.size(), 1u);
    EXPECT_NE(question[0].find(sharedDll()), std::string::npos) << question[0];
    clickButton(window, IDYES);

    // The progress window has the same caption; the final one has a button.
    const DWORD start = GetTickCount();
    do {
        window = waitForWindow("#32770", title.c_str());
    } while ((window == nullptr || GetDlgItem(window, IDOK) == nullptr) &&
             GetTickCount() - start < 20000 && (Sleep(20), true));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(staticTexts(window), std::vector<std::string>{"All gone: " + secondProduct + "."});
    clickButton(window, IDOK);
    EXPECT_EQ(finishProcess(process), ExitRemoved);

    EXPECT_TRUE(waitUntilRemoved(second));
    EXPECT_FALSE(fileExists(sharedDll()));
    EXPECT_FALSE(storedValue(HKEY_LOCAL_MACHINE, sharedDllsKey, sharedDll()).present);
    EXPECT_FALSE(testing_support::keyExists(HKEY_LOCAL_MACHINE, uninstallKey + secondProduct));
}

// A file held open goes at the next restart; a folder with a file the user
// added stays, and so do the folders above it; the exit code says so.
TEST_F(UninstallFlowTest, AFileInUseWaitsForRestartAndUserFilesStay) {
    const std::string appDir = root_ / "App";
    installPackage(product("InUse"), appDir, "TextLogFileFormat=Yes\n",
                   "[APPLICATION_FOLDERS]\n%AppDir%\\Data\n"
                   "[APPLICATION_FILES]\n"
                   "x,uninstall.exe,%AppDir%\\uninstall.exe,0,0,0\n"
                   "x,readme.txt,%AppDir%\\held.txt,0,0,0\n"
                   "x,readme.txt,%AppDir%\\Data\\readme.txt,0,0,0\n"
                   "[REGISTRY_ENTRIES]\nkey,HKCU," +
                       testKey_ + "\n",
                   {{"uninstall.exe", uninstallerBytes()}, {"readme.txt", "read me"}});
    ASSERT_TRUE(writeFile(appDir + "\\Data\\notes.txt", "mine"));
    SavedValue pendingRenames(HKEY_LOCAL_MACHINE, sessionManagerKey, "PendingFileRenameOperations");
    pendingRenames.remove();
    const HANDLE held = CreateFileA((appDir + "\\held.txt").c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    EXPECT_EQ(uninstallSilently(appDir), ExitItemsLeft);
    CloseHandle(held);

    EXPECT_TRUE(waitUntilRemoved(appDir + "\\uninstall.exe"));
    EXPECT_EQ(readFile(appDir + "\\Data\\notes.txt"), "mine");
    EXPECT_FALSE(fileExists(appDir + "\\Data\\readme.txt"));
    EXPECT_FALSE(fileExists(appDir + "\\setup.log"));
    EXPECT_FALSE(testing_support::keyExists(HKEY_CURRENT_USER, testKey_));
    const std::string pending =
        storedValue(HKEY_LOCAL_MACHINE, sessionManagerKey, "PendingFileRenameOperations").bytes;
    EXPECT_NE(pending.find(appDir + "\\held.txt"), std::string::npos) << pending;
}

} // namespace
