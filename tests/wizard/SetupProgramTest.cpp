// The real setup.exe, started as a process in a package folder laid out by
// the test, found and answered on screen as a person would.
#include "tests/install/ArchiveWriter.h"
#include "tests/support/Bitmaps.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/Registry.h"
#include "tests/support/TestFiles.h"
#include "tests/wizard/WizardTestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

using testing_support::clickButton;
using testing_support::deleteKeyTree;
using testing_support::itemText;
using testing_support::pressButton;
using testing_support::programDirectory;
using testing_support::ScratchFolder;
using testing_support::staticTexts;
using testing_support::storedText;
using testing_support::storeValue;
using testing_support::waitForWindow;
using wizard_tests::installProbe;
using wizard_tests::probeRun;
using wizard_tests::SetupRun;

namespace {

constexpr DWORD kFailed = static_cast<DWORD>(-1);

// Writes `text` with every "\n" turned into CR LF.
const char* const kEnglish = R"([WELCOME_DIALOG]
Dialog_Title=Welcome to %ProductName%
Static1=Target: %AppDir%
Static2=Group: %OutputProgramGroup%
Static3=Source: %SourceDir%
Next=&Next >
Back=< &Back
Cancel=Cancel
[LANGUAGE_DIALOG]
Dialog_Title=Language
Static1=Choose a language
Next=&Next >
Cancel=Cancel
[REINSTALL_DIALOG]
Dialog_Title=Reinstall %ProductName%
Static1=%ProductName% is installed already.
Yes=&Remove
No=&Over it
Cancel=Cancel
Error1=The old version cannot be removed.
[EXIT_SETUP_DIALOG]
Dialog_Title=Exit Setup
Static1=Setup is not complete.
Resume=&Resume
Exit=E&xit Setup
)";

// A package: Setup.ini with the product, `setupInfo` lines added to its
// SETUP_INFO section and `sections` after it; English.dat; setup.zip.
struct Package {
    ScratchFolder folder;

    Package(const std::string& setupInfo, const std::string& sections) {
        testing_support::writeTextFile(folder / "Setup.ini",
                                       "[GENERAL_INFO]\nProductName=Acme Tool\n"
                                       "[SETUP_INFO]\nDefaultInstallationPath=C:\\Acme\n"
                                       "DefaultShortcutFolderName=Acme\n" +
                                           setupInfo + "[SYSTEM_REQUIREMENTS]\nAnyWindows=Yes\n" +
                                           sections);
        testing_support::writeTextFile(folder / "English.dat", kEnglish);
        ArchiveWriter archive(folder / "setup.zip");
        archive.add("readme.txt", "read me", dosDateTime(2020, 1, 2, 3, 4, 6));
        archive.close();
    }
    std::string path() const { return folder.path(); }
};

// Closes the wizard from its current page: Cancel, then Exit Setup.
void cancelWizard(HWND page) {
    pressButton(page, IDCANCEL);
    HWND confirmation = waitForWindow("#32770", "Exit Setup");
    ASSERT_NE(confirmation, nullptr);
    clickButton(confirmation, 1001);
}

TEST(SetupProgram, AMissingSetupIniShowsOneBoxAndEndsWithMinusOne) {
    ScratchFolder folder;
    SetupRun setup(folder.path());
    ASSERT_TRUE(setup.started());
    HWND box = waitForWindow("#32770", "Error");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(staticTexts(box), (std::vector<std::string>{"Can not open file: \"Setup.ini\""}));
    EXPECT_EQ(FindWindowA("ZuSetup", nullptr), nullptr);
    clickButton(box, IDOK);
    EXPECT_EQ(setup.exitCode(), kFailed);
}

// The colour the screen shows at a point inside a control.
COLORREF screenColour(HWND control, int x, int y) {
    RECT bounds;
    GetWindowRect(control, &bounds);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, bounds.left + x, bounds.top + y);
    ReleaseDC(nullptr, screen);
    return colour;
}

TEST(SetupProgram, CommandLineAndWelcomePageWithTheProductsPicture) {
    Package package("", "[DIALOGS]\nWelcomeDialog=Yes\nFinishDialog=Yes\n"
                        "CustomDialogImage=1\nCustomDialogBitmap_Pathname=%SourceDir%\\side.bmp\n");
    const std::string media = package.folder / "media";
    CreateDirectoryA(media.c_str(), nullptr);
    testing_support::writeBitmapFile(media + "\\side.bmp", 40, 40, 0, 200, 0);
    SetupRun setup(package.path(), {"-s", "-D", media});
    HWND page = waitForWindow("#32770", "Welcome to Acme Tool");
    ASSERT_NE(page, nullptr);
    Sleep(300);
    // The picture keeps its own size; the rest of the control is not painted.
    HWND picture = GetDlgItem(page, 1040);
    EXPECT_EQ(screenColour(picture, 5, 5), RGB(0, 200, 0));
    EXPECT_EQ(screenColour(picture, 35, 35), RGB(0, 200, 0));
    EXPECT_NE(screenColour(picture, 60, 100), RGB(0, 200, 0));
    EXPECT_EQ(itemText(page, 1009), "Target: C:\\Acme");
    EXPECT_EQ(itemText(page, 1010), "Group: Acme");
    EXPECT_EQ(itemText(page, 1011), "Source: " + media);
    // Without a language page there is no way back.
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(page, 1000)));
    cancelWizard(page);
    EXPECT_EQ(setup.exitCode(), 0u);
}

TEST(SetupProgram, AFailureInsideAPageIsReportedOnceAfterTheWizardIsGone) {
    Package package("DefaultSetupLanguage=English\nSetupLanguages=English,Missing\n",
                    "[DIALOGS]\nLanguageDialog=Yes\nWelcomeDialog=Yes\n");
    SetupRun setup(package.path());
    HWND page = waitForWindow("#32770", "Language");
    ASSERT_NE(page, nullptr);
    HWND list = GetDlgItem(page, 1017);
    ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
    SendMessageA(list, LB_SETCURSEL, 1, 0);
    pressButton(page, 1003);

    HWND box = waitForWindow("#32770", "Error");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(staticTexts(box), (std::vector<std::string>{"Can not open file: \"Missing.dat\""}));
    EXPECT_FALSE(IsWindow(page));
    clickButton(box, IDOK);
    EXPECT_EQ(setup.exitCode(), kFailed);
    EXPECT_EQ(FindWindowA("#32770", "Error"), nullptr);
}

TEST(SetupProgram, UnattendedShowsNoBackdropAndNoSplash) {
    Package package("SetupType=1\n",
                    "[DIALOGS]\nSetupWindow=Yes\nSplashWindow=Yes\n"
                    "WelcomeDialog=Yes\n[SPLASH_WINDOW]\nBitmap_Pathname=splash.bmp\n");
    testing_support::writeBitmapFile(package.folder / "splash.bmp", 200, 100, 0, 128, 0);
    SetupRun setup(package.path());
    bool windowShown = false;
    std::optional<DWORD> code;
    for (int i = 0; i < 400 && !code; ++i) {
        for (const char* windowClass : {"ZuSetup", "ZuSetupSplash"}) {
            HWND window = FindWindowA(windowClass, nullptr);
            windowShown = windowShown || (window != nullptr && IsWindowVisible(window));
        }
        code = setup.exitCode(50);
    }
    ASSERT_TRUE(code);
    EXPECT_EQ(*code, 0u);
    EXPECT_FALSE(windowShown);
}

TEST(SetupProgram, SplashShowsThePictureCentredThenTheWizardStarts) {
    Package package("", "[DIALOGS]\nSetupWindow=Yes\nSplashWindow=Yes\nWelcomeDialog=Yes\n"
                        "[SPLASH_WINDOW]\nBitmap_Pathname=%SourceDir%\\splash.bmp\n"
                        "Bitmap_Duration=1\n"
                        "[SETUP_WINDOW]\nWindowTitle=%ProductName% Setup\nGradientFill=Yes\n"
                        "ColorFrom=FF0000\nColorTo=000000\nHeading=%ProductName%\n"
                        "HeadingFont=Arial,36,700,1,0,0\nHeadingColor=FFFFFF\nHeading3D=Yes\n"
                        "Subheading=Setup\nSubheadingAlignment=1\nSubheadingColor=C0C0C0\n"
                        "Footer=(c) Acme\nFooterAlignment=2\nFooterColor=C0C0C0\n");
    testing_support::writeBitmapFile(package.folder / "splash.bmp", 200, 100, 0, 128, 0);
    SetupRun setup(package.path());
    HWND splash = waitForWindow("ZuSetupSplash", nullptr);
    ASSERT_NE(splash, nullptr);
    const DWORD shown = GetTickCount();
    RECT client;
    GetClientRect(splash, &client);
    EXPECT_EQ(client.right, 200);
    EXPECT_EQ(client.bottom, 100);
    RECT frame;
    GetWindowRect(splash, &frame);
    EXPECT_NEAR((frame.left + frame.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    EXPECT_EQ(FindWindowA("#32770", "Welcome to Acme Tool"), nullptr);
    CreateDirectoryA((programDirectory() + "\\screenshots").c_str(), nullptr);
    testing_support::saveScreenshot(programDirectory() + "\\screenshots\\splash.bmp");

    HWND page = waitForWindow("#32770", "Welcome to Acme Tool");
    ASSERT_NE(page, nullptr);
    EXPECT_GE(GetTickCount() - shown, 700u);
    EXPECT_FALSE(IsWindowVisible(splash));
    HWND main = FindWindowA("ZuSetup", "Acme Tool Setup");
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(IsWindowVisible(main));
    Sleep(300);
    testing_support::saveScreenshot(programDirectory() + "\\screenshots\\welcome.bmp");
    cancelWizard(page);
    EXPECT_EQ(setup.exitCode(), 0u);
}

TEST(SetupProgram, AMissingSplashPictureStartsTheWizardAtOnce) {
    Package package("", "[DIALOGS]\nSplashWindow=Yes\nWelcomeDialog=Yes\n"
                        "[SPLASH_WINDOW]\nBitmap_Pathname=missing.bmp\nBitmap_Duration=5\n");
    SetupRun setup(package.path());
    HWND page = waitForWindow("#32770", "Welcome to Acme Tool", 3000);
    ASSERT_NE(page, nullptr);
    HWND splash = FindWindowA("ZuSetupSplash", nullptr);
    EXPECT_TRUE(splash == nullptr || !IsWindowVisible(splash));
    cancelWizard(page);
    EXPECT_EQ(setup.exitCode(), 0u);
}

TEST(SetupProgram, ALibraryPlantedBesideTheProgramIsNotLoaded) {
    Package package("", "[DIALOGS]\nWelcomeDialog=Yes\n");
    CopyFileA((programDirectory() + "\\planted_dll.dll").c_str(),
              (package.folder / "RICHED32.DLL").c_str(), FALSE);
    // Wine prefers its own rich-edit library to any file of that name; let
    // setup.exe prefer a file, as Windows does, so that the planted one would
    // be taken if the program looked for it beside itself.
    testing_support::SavedValue preferFiles(
        HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\setup.exe\\DllOverrides", "riched32");
    preferFiles.setText("native,builtin");
    SetupRun setup(package.path());
    HWND page = waitForWindow("#32770", "Welcome to Acme Tool");
    ASSERT_NE(page, nullptr);
    cancelWizard(page);
    EXPECT_EQ(setup.exitCode(), 0u);
    EXPECT_FALSE(testing_support::fileExists(package.folder / "planted.loaded"));
}

// An earlier installation: the marker key with the old folder and group, and
// the product's Uninstall key (unless `uninstallString` is null).
class EarlierInstallation {
public:
    EarlierInstallation(const std::string& oldFolder, const char* uninstallString) {
        storeValue(HKEY_LOCAL_MACHINE, kMarkerKey, "kwoAppDir", storedText("Y"));
        storeValue(HKEY_LOCAL_MACHINE, kMarkerKey, "AppDir", storedText(oldFolder));
        storeValue(HKEY_LOCAL_MACHINE, kMarkerKey, "AppShortcutFolder", storedText("Acme Old"));
        if (uninstallString)
            storeValue(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString",
                       storedText(uninstallString));
    }
    ~EarlierInstallation() {
        deleteKeyTree(HKEY_LOCAL_MACHINE, kMarkerKey);
        deleteKeyTree(HKEY_LOCAL_MACHINE, kUninstallKey);
    }
    EarlierInstallation(const EarlierInstallation&) = delete;
    EarlierInstallation& operator=(const EarlierInstallation&) = delete;

private:
    static constexpr const char* kMarkerKey = "Software\\Acme\\Tool";
    static constexpr const char* kUninstallKey =
        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Acme Tool";
};

const char* const kReinstallSettings = "EnableUninstaller=Yes\nTestReinstall=Yes\n"
                                       "TestReinstallRegKey=Software\\Acme\\Tool\n";
const char* const kReinstallPages = "[DIALOGS]\nWelcomeDialog=Yes\n";

TEST(SetupProgram, ReinstallRemoveFirstStartsTheOldUninstallerInItsFolder) {
    for (bool quoted : {true, false}) {
        SCOPED_TRACE(quoted ? "quoted" : "unquoted");
        Package package(kReinstallSettings, kReinstallPages);
        const std::string oldFolder = package.folder / "Old Acme";
        CreateDirectoryA(oldFolder.c_str(), nullptr);
        const std::string uninstaller = oldFolder + "\\uninstall.exe";
        installProbe(uninstaller);
        // A decoy where an unquoted path with a blank would first be looked for.
        const std::string decoy = package.folder / "Old.exe";
        installProbe(decoy);
        const std::string value = quoted ? "\"" + uninstaller + "\"" : uninstaller;
        EarlierInstallation earlier(oldFolder, value.c_str());

        SetupRun setup(package.path());
        HWND dialog = waitForWindow("#32770", "Reinstall Acme Tool");
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), nullptr);
        EXPECT_EQ(staticTexts(dialog),
                  (std::vector<std::string>{"Acme Tool is installed already."}));
        pressButton(dialog, 1059);
        EXPECT_EQ(setup.exitCode(), 0u);
        ASSERT_TRUE(wizard_tests::waitForFile(uninstaller + ".ran"));
        const auto run = probeRun(uninstaller);
        ASSERT_TRUE(run);
        EXPECT_EQ(run->directory, oldFolder);
        EXPECT_FALSE(probeRun(decoy));
        EXPECT_EQ(FindWindowA("ZuSetup", nullptr), nullptr);
    }
}

TEST(SetupProgram, ReinstallOverTheOldInstallationOffersItsFolderAndGroup) {
    Package package(kReinstallSettings, kReinstallPages);
    EarlierInstallation earlier("D:\\Old Acme", "D:\\Old Acme\\uninstall.exe");
    SetupRun setup(package.path());
    HWND dialog = waitForWindow("#32770", "Reinstall Acme Tool");
    ASSERT_NE(dialog, nullptr);
    pressButton(dialog, 1060);
    HWND page = waitForWindow("#32770", "Welcome to Acme Tool");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(itemText(page, 1009), "Target: D:\\Old Acme");
    EXPECT_EQ(itemText(page, 1010), "Group: Acme Old");
    cancelWizard(page);
    EXPECT_EQ(setup.exitCode(), 0u);
}

TEST(SetupProgram, ReinstallCancelOrEscapeEndsTheSetupAtOnce) {
    for (int control : {1056, IDCANCEL}) {
        SCOPED_TRACE(control);
        Package package(kReinstallSettings, kReinstallPages);
        EarlierInstallation earlier("D:\\Old Acme", "D:\\Old Acme\\uninstall.exe");
        SetupRun setup(package.path());
        HWND dialog = waitForWindow("#32770", "Reinstall Acme Tool");
        ASSERT_NE(dialog, nullptr);
        pressButton(dialog, control);
        EXPECT_EQ(setup.exitCode(), 0u);
        EXPECT_EQ(FindWindowA("#32770", "Welcome to Acme Tool"), nullptr);
    }
}

TEST(SetupProgram, ReinstallWithoutAnUninstallerWarnsAndGoesOn) {
    Package package(kReinstallSettings, kReinstallPages);
    EarlierInstallation earlier("D:\\Old Acme", nullptr);
    SetupRun setup(package.path());
    HWND dialog = waitForWindow("#32770", "Reinstall Acme Tool");
    ASSERT_NE(dialog, nullptr);
    pressButton(dialog, 1059);
    HWND warning = waitForWindow("#32770", "Setup");
    ASSERT_NE(warning, nullptr);
    EXPECT_EQ(staticTexts(warning),
              (std::vector<std::string>{"The old version cannot be removed."}));
    clickButton(warning, IDOK);
    HWND page = waitForWindow("#32770", "Welcome to Acme Tool");
    ASSERT_NE(page, nullptr);
    cancelWizard(page);
    EXPECT_EQ(setup.exitCode(), 0u);
}

} // namespace
