// The wizard's pages in the real setup.exe, driven on screen as a person
// would, then the machine checked: files, shortcuts, registry, setup.log.
#include "tests/install/ArchiveWriter.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/Registry.h"
#include "tests/support/TestFiles.h"
#include "tests/wizard/WizardTestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

using testing_support::clickButton;
using testing_support::deleteKeyTree;
using testing_support::directoryExists;
using testing_support::fileExists;
using testing_support::itemText;
using testing_support::pressButton;
using testing_support::readFile;
using testing_support::ScratchFolder;
using testing_support::storedText;
using testing_support::storedValue;
using testing_support::waitForWindow;
using wizard_tests::SetupRun;

namespace {

void setItemText(HWND dialog, int id, const std::string& text) {
    SendDlgItemMessageA(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

const char* const kTestKey = "Software\\Acme Wizard Test";

std::string languageFile(const std::string& tag) {
    return "[LANGUAGE_DIALOG]\nDialog_Title=" + tag +
           " Language\nNext=Next\nCancel=Cancel\n"
           "[WELCOME_DIALOG]\nDialog_Title=" +
           tag + " Welcome\nStatic1=" + tag +
           " welcome text\nBack=Back\nNext=Next\nCancel=Cancel\n"
           "[LICENSE_DIALOG]\nDialog_Title=" +
           tag +
           " Licence\nYes=Yes\nNo=No\nBack=Back\n"
           "[README_DIALOG]\nDialog_Title=" +
           tag +
           " Readme\nNext=Next\nBack=Back\n"
           "[USER_INFO_DIALOG]\nDialog_Title=" +
           tag +
           " User\nNext=Next\nBack=Back\n"
           "[TARGET_DIRECTORY_DIALOG]\nDialog_Title=" +
           tag +
           " Target\nStatic5=Needed:\nStatic7=Free:\nNext=Next\nBack=Back\n"
           "[PROGRAM_GROUP_DIALOG]\nDialog_Title=" +
           tag +
           " Group\nNext=Next\nBack=Back\n"
           "[PROGRAM_ICON_OPTIONS_DIALOG]\nDialog_Title=" +
           tag +
           " Icons\n"
           "[START_DIALOG]\nDialog_Title=" +
           tag +
           " Start\nString1=Destination:\nString2=Program group:\nNext=Next\n"
           "[PROCESS_DIALOG]\nDialog_Title=" +
           tag +
           " Installing\nCancel=Cancel\n"
           "[FINISH_DIALOG]\nDialog_Title=" +
           tag +
           " Done\nFinish=Finish\nCheck1=View readme\nCheck2=Start it\n"
           "[EXIT_SETUP_DIALOG]\nDialog_Title=" +
           tag +
           " Exit\nResume=Resume\nExit=Exit\n"
           "[STRINGS]\n10=Restart\n11=Restart now?\n";
}

// A package with a licence, a readme, two files in setup.zip and records for
// the machine: a registry value, a desktop and a Start menu shortcut, an INI
// entry.
struct Package {
    ScratchFolder folder;
    std::string target = folder / "Installed Tool";

    Package(const std::string& setupInfo, const std::string& dialogs) {
        testing_support::writeTextFile(
            folder / "Setup.ini",
            "[GENERAL_INFO]\nProductName=Acme Wizard Test\n"
            "[SETUP_INFO]\nDefaultInstallationPath=" +
                folder.path() +
                "\\Default Tool\nDefaultShortcutFolderName=Acme Wizard Test\n"
                "DefaultDirectoryName=Tool\nEnableUninstaller=Yes\n"
                "DefaultSetupLanguage=English\nSetupLanguages=English,Deutsch\n" +
                setupInfo + "[SYSTEM_REQUIREMENTS]\nAnyWindows=Yes\n[DIALOGS]\n" + dialogs +
                "[LICENSE_DIALOG]\nLicense_Pathname=%SourceDir%\\licence.RTF\n"
                "[README_DIALOG]\nReadme_Pathname=%SourceDir%\\readme.txt\n"
                "[PROGRAM_ICON_OPTIONS_DIALOG]\nAddCreateDesktopIconOption=Yes\n"
                "AddCreateQuickLaunchIconOption=No\n"
                "[FINISH_DIALOG]\nShow_ViewReadme_CheckBox=Yes\nShow_ViewReadme_Checked=No\n"
                "Show_RunApplication_CheckBox=No\n"
                "[APPLICATION_FOLDERS]\n%AppDir%\n"
                "[APPLICATION_FILES]\nx,tool.txt,%AppDir%\\tool.txt,0,0,0\n"
                "x,data.bin,%AppDir%\\data.bin,0,0,0\n"
                "[REGISTRY_ENTRIES]\nkey,HKCU," +
                kTestKey + "\nvalue,HKCU," + kTestKey +
                ",User,S,%UserName%\n"
                "[SHORTCUTS]\ns,%Desktop%\\Acme Wizard Test,%AppDir%\\tool.txt,,,0,1,%AppDir%\n"
                "[INI_FILES]\n%AppDir%\\tool.ini,Options,Mode,Full\n");
        testing_support::writeTextFile(folder / "English.dat", languageFile("English"));
        testing_support::writeTextFile(folder / "Deutsch.dat", languageFile("Deutsch"));
        testing_support::writeFile(folder / "licence.RTF",
                                   "{\\rtf1\\ansi {\\b Licence} terms of use.}");
        testing_support::writeFile(folder / "readme.txt", "Read me first.");
        ArchiveWriter archive(folder / "setup.zip");
        archive.add("tool.txt", "the tool", dosDateTime(2020, 1, 2, 3, 4, 6));
        archive.add("data.bin", std::string(30000, 'd'), dosDateTime(2020, 1, 2, 3, 4, 6));
        archive.close();
    }
    ~Package() {
        deleteKeyTree(HKEY_CURRENT_USER, kTestKey);
        DeleteFileA(desktopShortcut().c_str());
        deleteKeyTree(HKEY_LOCAL_MACHINE,
                      "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Acme Wizard Test");
    }
    std::string path() const { return folder.path(); }

    static std::string desktopShortcut() {
        char desktop[MAX_PATH] = {};
        SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, FALSE);
        return std::string(desktop) + "\\Acme Wizard Test.lnk";
    }
};

HWND page(const char* caption) {
    HWND dialog = waitForWindow("#32770", caption, 20000);
    EXPECT_NE(dialog, nullptr) << caption;
    return dialog;
}

const char* const kAllPages = "LanguageDialog=Yes\nWelcomeDialog=Yes\nLicenseDialog=Yes\n"
                              "ReadmeDialog=Yes\nUserInfoDialog=Yes\nTargetDirectoryDialog=Yes\n"
                              "ProgramGroupDialog=Yes\nProgramIconOptionsDialog=Yes\n"
                              "StartDialog=Yes\nFinishDialog=Yes\n";

TEST(WizardPages, AWholeInstallationAsAPersonClicksThroughIt) {
    Package package("RequiredDiskSpace=100\n", kAllPages);
    SetupRun setup(package.path());

    // The second language's texts show on the next page; back, and English again.
    HWND language = page("English Language");
    ASSERT_NE(language, nullptr);
    SendDlgItemMessageA(language, 1017, LB_SETCURSEL, 1, 0);
    pressButton(language, 1003);
    HWND welcome = page("Deutsch Welcome");
    ASSERT_NE(welcome, nullptr);
    EXPECT_EQ(itemText(welcome, 1009), "Deutsch welcome text");
    pressButton(welcome, 1000);
    // The language page itself keeps the texts it opened with.
    language = page("English Language");
    ASSERT_NE(language, nullptr);
    EXPECT_EQ(SendDlgItemMessageA(language, 1017, LB_GETCURSEL, 0, 0), 1);
    SendDlgItemMessageA(language, 1017, LB_SETCURSEL, 0, 0);
    pressButton(language, 1003);
    welcome = page("English Welcome");
    ASSERT_NE(welcome, nullptr);
    pressButton(welcome, 1003);

    // The licence in capitals is still shown as RTF, not as markup.
    HWND licence = page("English Licence");
    ASSERT_NE(licence, nullptr);
    EXPECT_EQ(itemText(licence, 1005), "Licence terms of use.");
    pressButton(licence, 6);
    HWND readme = page("English Readme");
    ASSERT_NE(readme, nullptr);
    EXPECT_EQ(itemText(readme, 1005), "Read me first.");
    pressButton(readme, 1003);

    HWND user = page("English User");
    ASSERT_NE(user, nullptr);
    setItemText(user, 1005, "Ada Lovelace");
    pressButton(user, 1003);

    HWND target = page("English Target");
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(itemText(target, 1005), package.folder / "Default Tool");
    EXPECT_EQ(itemText(target, 1037), "100 KB");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(target, 1003)));
    setItemText(target, 1005, package.target);
    pressButton(target, 1003);

    HWND group = page("English Group");
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(itemText(group, 1005), "Acme Wizard Test");
    EXPECT_GT(SendDlgItemMessageA(group, 1017, LB_GETCOUNT, 0, 0), 0); // the prefix's Start menu
    pressButton(group, 1003);

    // No desktop icon; the Quick Launch question is not offered.
    HWND icons = page("English Icons");
    ASSERT_NE(icons, nullptr);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(icons, 1029)));
    EXPECT_EQ(itemText(icons, 1028), "No"); // the template's text when the language has none
    clickButton(icons, 1028);
    pressButton(icons, 1003);

    HWND start = page("English Start");
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(itemText(start, 1005), "Destination:\r\n  " + package.target +
                                         "\r\n\r\nProgram group:\r\n  Acme Wizard Test");
    pressButton(start, 1003);

    HWND finish = page("English Done");
    ASSERT_NE(finish, nullptr);
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(finish, 1020)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(finish, 1021)));
    EXPECT_EQ(SendDlgItemMessageA(finish, 1020, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    clickButton(finish, IDCANCEL); // Esc does nothing here
    EXPECT_TRUE(IsWindow(finish));
    pressButton(finish, 1018);
    EXPECT_EQ(setup.exitCode(), 0u);

    EXPECT_EQ(readFile(package.target + "\\tool.txt"), "the tool");
    EXPECT_EQ(readFile(package.target + "\\data.bin"), std::string(30000, 'd'));
    EXPECT_EQ(storedValue(HKEY_CURRENT_USER, kTestKey, "User"), storedText("Ada Lovelace"));
    EXPECT_FALSE(fileExists(Package::desktopShortcut()));
    char mode[16] = {};
    GetPrivateProfileStringA("Options", "Mode", "", mode, sizeof mode,
                             (package.target + "\\tool.ini").c_str());
    EXPECT_STREQ(mode, "Full");
    const std::string log = readFile(package.target + "\\setup.log");
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(static_cast<unsigned char>(log[0]), 0xA4); // encoded '['
    EXPECT_FALSE(directoryExists(package.folder / "Default Tool"));
}

TEST(WizardPages, UnattendedInstallsWithoutAClick) {
    Package package("SetupType=1\n", kAllPages);
    SetupRun setup(package.path());
    EXPECT_EQ(setup.exitCode(60000), 0u);
    EXPECT_EQ(readFile(package.folder / "Default Tool\\tool.txt"), "the tool");
    EXPECT_TRUE(fileExists(Package::desktopShortcut()));
}

TEST(WizardPages, AnImitationShowsThePagesAndInstallsNothing) {
    Package package("", "WelcomeDialog=Yes\nFinishDialog=Yes\n");
    SetupRun setup(package.path(), {"-i"});
    HWND welcome = page("English Welcome");
    ASSERT_NE(welcome, nullptr);
    pressButton(welcome, 1003);
    HWND progress = page("English Installing");
    ASSERT_NE(progress, nullptr);
    const HWND bar = GetDlgItem(progress, 1032);
    EXPECT_GT(SendMessageA(bar, PBM_GETRANGE, FALSE, 0), 0);
    HWND finish = page("English Done");
    ASSERT_NE(finish, nullptr);
    pressButton(finish, 1018);
    EXPECT_EQ(setup.exitCode(), 0u);
    EXPECT_FALSE(directoryExists(package.folder / "Default Tool"));
    EXPECT_FALSE(storedValue(HKEY_CURRENT_USER, kTestKey, "User").present);
}

TEST(WizardPages, TheFreeSpaceFollowsTheTypedFolder) {
    struct Case {
        const char* required;
        const char* folder; // typed; null keeps the default
        bool nextEnabled;
    };
    const Case cases[] = {
        {"100", nullptr, true},
        {"4000000000000", nullptr, false}, // more than this machine has
        {"100", "Q:\\Nowhere", false},     // no such drive: no room known
        {"0", "Q:\\Nowhere", true},        // nothing required: no sizes shown
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.required) + " " + (c.folder ? c.folder : "default"));
        Package package(std::string("RequiredDiskSpace=") + c.required + "\n",
                        "TargetDirectoryDialog=Yes\n");
        SetupRun setup(package.path());
        HWND target = page("English Target");
        ASSERT_NE(target, nullptr);
        if (c.folder)
            setItemText(target, 1005, c.folder);
        Sleep(200);
        EXPECT_EQ(IsWindowEnabled(GetDlgItem(target, 1003)) != FALSE, c.nextEnabled);
        EXPECT_EQ(IsWindowVisible(GetDlgItem(target, 1038)) != FALSE,
                  std::string(c.required) != "0");
        // An empty field keeps the page.
        setItemText(target, 1005, "");
        clickButton(target, 1003);
        EXPECT_TRUE(IsWindow(target));
        pressButton(target, IDCANCEL);
        HWND exit = page("English Exit");
        ASSERT_NE(exit, nullptr);
        clickButton(exit, 1001);
        EXPECT_EQ(setup.exitCode(), 0u);
    }
}

TEST(WizardPages, DecliningTheLicenceAsksAndResumeKeepsThePage) {
    Package package("", "LicenseDialog=Yes\n");
    SetupRun setup(package.path());
    HWND licence = page("English Licence");
    ASSERT_NE(licence, nullptr);
    pressButton(licence, 7);
    HWND exit = page("English Exit");
    ASSERT_NE(exit, nullptr);
    clickButton(exit, 1000);
    EXPECT_TRUE(testing_support::waitUntilGone(exit));
    EXPECT_TRUE(IsWindow(licence));
    pressButton(licence, 7);
    exit = page("English Exit");
    ASSERT_NE(exit, nullptr);
    clickButton(exit, 1001);
    EXPECT_EQ(setup.exitCode(), 0u);
    EXPECT_FALSE(directoryExists(package.folder / "Default Tool"));
}

TEST(WizardPages, AFailedInstallationIsReportedAndNothingIsStarted) {
    Package package("", "WelcomeDialog=Yes\nFinishDialog=Yes\n");
    testing_support::writeFile(package.folder / "setup.zip", "not an archive");
    SetupRun setup(package.path());
    HWND welcome = page("English Welcome");
    ASSERT_NE(welcome, nullptr);
    pressButton(welcome, 1003);
    HWND box = page("English Installing");
    ASSERT_NE(box, nullptr);
    // The box that tells the failure has the progress page's caption too.
    for (int i = 0; i < 100 && IsWindow(box) && GetDlgItem(box, 1032) != nullptr; ++i) {
        Sleep(100);
        box = FindWindowA("#32770", "English Installing");
        if (box != nullptr && GetDlgItem(box, 1032) == nullptr)
            break;
    }
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(testing_support::staticTexts(box),
              (std::vector<std::string>{"File not found: \"setup.zip\""}));
    clickButton(box, IDOK);
    EXPECT_EQ(setup.exitCode(), 0u);
    EXPECT_EQ(FindWindowA("#32770", "English Done"), nullptr);
    EXPECT_FALSE(fileExists(package.folder / "Default Tool\\tool.txt"));
}

} // namespace
