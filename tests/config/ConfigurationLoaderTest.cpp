#include "setup/config/SetupContext.h"
#include "setup/install/base/RunAppRecord.h"
#include "setup/install/base/UninstallLog.h"
#include "setup/start/errors/FileException.h"
#include "tests/config/PackageFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using config_tests::isUnset;
using config_tests::PackageFolder;
using testing_support::readFile;

const char* const englishDat = R"([REINSTALL_DIALOG]
Dialog_Title=Reinstall %ProductName%
Static1=Found an earlier installation
Yes=Remove
No=Over it
Cancel=Stop
Error1=Cannot remove
[FILE_IN_USE_DIALOG]
Dialog_Title=In use
Static1=The file
Static2=is in use
Retry=Retry
Cancel=Skip
Abort=Abort
[LANGUAGE_DIALOG]
Dialog_Title=Language
Static1=Choose
Next=Next
Cancel=Cancel
[WELCOME_DIALOG]
Dialog_Title=Welcome
Static1=W1
Static2=W2
Static3=W3
Static4=W4
Back=Back
Next=Next
Cancel=Cancel
[LICENSE_DIALOG]
Dialog_Title=Licence
Static1=L1
Static2=L2
Back=Back
Yes=Yes
No=No
[TARGET_DIRECTORY_DIALOG]
Dialog_Title=Target
Static7=T7
Browse=Browse
[CHOOSE_DIRECTORY_DIALOG]
Dialog_Title=Choose
Static1=C1
[START_DIALOG]
String1=S1
String2=S2
[PROCESS_DIALOG]
Dialog_Title=Installing
Cancel=Stop
[FINISH_DIALOG]
Dialog_Title=Done
Finish=Finish
Check1=View readme
Check2=Run it
[EXIT_SETUP_DIALOG]
Dialog_Title=Exit setup
Resume=Resume
Exit=Exit
[STRINGS]
1=Requirements
21=%1 is not supported<br>Sorry
22=%1 %1 untested
[UNINSTALL_DIALOG]
U0
U1
U2
)";

// A Setup.ini that sets every key of the catalogue.
const char* const fullSetupIni = R"([GENERAL_INFO]
ProductName=Acme Tool
CompanyName=Acme
ProductVersion=2.1
ProductDescription=Tool<tab>for all
ProductURL=http://acme.example/
CopyrightNotice=(c) Acme
[SETUP_INFO]
EnableUninstaller=Yes
AddRemoveProgramsDescription=%ProductName% %ProductVersion%
SetupType=0
ForceRestart=No
DefaultInstallationPath=%ProgramFiles%\Acme\Tool
DefaultShortcutFolderName=%CompanyName% Tools
TestReinstall=Y
TestReinstallRegKey=Software\Acme\Tool
TextLogFileFormat=Yes
DefaultSetupLanguage=English
SetupLanguages=English,Deutsch
RequiredDiskSpace=1200
[SYSTEM_REQUIREMENTS]
AnyWindows=No
Windows95=No
Windows98=Yes
WindowsME=Yes
WindowsNT4=No
Windows2000=Yes
WindowsXP=Yes
AbortInstallation=Yes
[RUNAPPS]
RunBeforeInstall=yes
BeforeInstall=%SourceDir%\pre.exe,/q,,1
RunAfterInstall=TRUE
AfterInstall=%AppDir%\post.exe
RunBeforeUninstall=1
BeforeUninstall=%AppDir%\cleanup.exe,/all
[DIALOGS]
SplashWindow=Yes
SetupWindow=Y
CustomDialogImage=1
CustomDialogBitmap_Pathname=side.bmp
LanguageDialog=Yes
WelcomeDialog=Yes
LicenseDialog=Yes
ReadmeDialog=Yes
UserInfoDialog=Yes
TargetDirectoryDialog=Yes
ProgramGroupDialog=Yes
ProgramIconOptionsDialog=Yes
StartDialog=Yes
FinishDialog=Yes
[SPLASH_WINDOW]
Bitmap_Pathname=splash.bmp
Bitmap_Duration=3
[SETUP_WINDOW]
WindowTitle=%ProductName% Setup
GradientFill=Yes
ColorFrom=0000FF
ColorTo=000000
Heading=Acme
HeadingFont=Arial,36,700,1,0,0
HeadingColor=FFFFFF
HeadingAlignment=Left
Heading3D=Yes
Subheading=Tool
SubheadingFont=Arial,20
SubheadingColor=C0C0C0
SubheadingAlignment=Center
Subheading3D=No
Footer=(c)
FooterFont=Arial,10
FooterColor=808080
FooterAlignment=Right
Footer3D=No
[LICENSE_DIALOG]
License_Pathname=license.rtf
[README_DIALOG]
Readme_Pathname=readme.txt
[PROGRAM_ICON_OPTIONS_DIALOG]
AddCreateDesktopIconOption=Yes
AddCreateQuickLaunchIconOption=No
[FINISH_DIALOG]
Show_ViewReadme_CheckBox=yes
Show_ViewReadme_Checked=true
Readme_Pathname=%AppDir%\readme.txt
Show_RunApplication_CheckBox=1
Show_RunApplication_Checked=Y
Application_Pathname=%AppDir%\tool.exe
[APPLICATION_FILES]
tool.exe,%AppDir%\tool.exe
readme.txt,%AppDir%\readme.txt
)";

struct Package : PackageFolder {
    explicit Package(const std::string& name, const std::string& setupIni) : PackageFolder(name) {
        write("Setup.ini", setupIni);
        write("English.dat", englishDat);
        write("setup.zip", "");
    }
};

TEST(ConfigurationLoader, EveryKeyOfTheCatalogueLandsInItsVariable) {
    Package package("full", fullSetupIni);
    const auto context = package.load();
    const std::string programFiles = context->getVariable("ProgramFiles", false);
    ASSERT_FALSE(programFiles.empty());

    const struct {
        const char* variable;
        std::string value;
    } expected[] = {
        {"ProductName", "Acme Tool"},
        {"CompanyName", "Acme"},
        {"ProductVersion", "2.1"},
        {"ProductDescription", "Tool\tfor all"},
        {"ProductURL", "http://acme.example/"},
        {"Copyright", "(c) Acme"},
        {"EnableUninstaller", "Yes"},
        {"AddRemoveProgramsDescription", "%ProductName% %ProductVersion%"},
        {"SetupType", "0"},
        {"ForceRestart", "No"},
        {"DefaultInstallationPath", programFiles + "\\Acme\\Tool"},
        {"AppDir", programFiles + "\\Acme\\Tool"},
        {"DefaultDirectoryName", "Tool"},
        {"DefaultShortcutFolderName", "Acme Tools"},
        {"OutputProgramGroup", "Acme Tools"},
        {"TestReinstall", "Y"},
        {"TestReinstallRegKey", "Software\\Acme\\Tool"},
        {"TextLogFileFormat", "Yes"},
        {"DefaultSetupLanguage", "English"},
        {"SetupLanguages", "English,Deutsch"},
        {"RequiredDiskSpace", "1200"},
        {"SysReqAnyWindows", "No"},
        {"SysReqWindows95", "No"},
        {"SysReqWindows98", "Yes"},
        {"SysReqWindowsME", "Yes"},
        {"SysReqWindowsNT4", "No"},
        {"SysReqWindows2000", "Yes"},
        {"SysReqWindowsXP", "Yes"},
        {"SysReqAbortInstallation", "Yes"},
        {"DlgSplashWindow", "Yes"},
        {"DlgSetupWindow", "Y"},
        {"DlgCustomDialogImage", "1"},
        {"DlgFinishDialog", "Yes"},
        {"CustomDlgBitmap_Pathname", "side.bmp"},
        {"SplWBitmap_Pathname", "splash.bmp"},
        {"SplWBitmap_Duration", "3"},
        {"SWWindowTitle", "%ProductName% Setup"},
        {"SWGradientFill", "Yes"},
        {"SWColorFrom", "0000FF"},
        {"SWHeadingFont", "Arial,36,700,1,0,0"},
        {"SWHeadingAlignment", "Left"},
        {"SWSubheading3D", "No"},
        {"SWFooter3D", "No"},
        {"License_Pathname", "license.rtf"},
        {"Readme_Pathname", "readme.txt"},
        {"AddCreateDesktopIconOption", "Yes"},
        {"AddCreateQuickLaunchIconOption", "No"},
        {"FinalReadmePathname", "%AppDir%\\readme.txt"},
        {"Application_Pathname", "%AppDir%\\tool.exe"},
        {"CreateDesktopIcon", "Yes"},
        {"CreateQuickLaunchIcon", "Yes"},
        // Language texts of every page, the dialogs and the two check boxes.
        {"ReinstallDialogTitle", "Reinstall %ProductName%"},
        {"ReinstallDialogError1", "Cannot remove"},
        {"InUseDialogText2", "is in use"},
        {"LanguageTitle", "Language"},
        {"WelcomeText4", "W4"},
        {"LicenseNo", "No"},
        {"TargetDirText7", "T7"},
        {"ChooseDirText1", "C1"},
        {"StartEText2", "S2"},
        {"ProcessCancel", "Stop"},
        {"FinishCheck1", "View readme"},
        {"FinishCheck2", "Run it"},
        {"ExitSetupTitle", "Exit setup"},
    };
    for (const auto& e : expected)
        EXPECT_EQ(context->getVariable(e.variable, false), e.value) << e.variable;

    EXPECT_FALSE(context->unattended());
    EXPECT_TRUE(context->showViewReadmeCheckBox());
    EXPECT_TRUE(context->viewReadmeChecked());
    EXPECT_TRUE(context->showRunApplicationCheckBox());
    EXPECT_FALSE(context->runApplicationChecked()) << "Y is no document flag";
    EXPECT_FALSE(context->viewReadmeRequested());

    EXPECT_EQ(context->firstPage(), PageIndex::Language);
    for (int slot = 0; slot <= 13; ++slot)
        EXPECT_EQ(context->pageSlot(static_cast<PageIndex>(slot)), slot == 0 || slot == 12 ? 0 : 1)
            << slot;

    // The before-install command is expanded at load, before SourceDir exists;
    // the after-install command waits until it runs.
    ASSERT_NE(context->beforeInstallRun(), nullptr);
    EXPECT_EQ(context->beforeInstallRun()->command().path, "%SourceDir%\\pre.exe");
    EXPECT_EQ(context->beforeInstallRun()->command().show, 1);
    EXPECT_EQ(context->afterInstallCommand().value_or("<none>"), "%AppDir%\\post.exe");
    EXPECT_EQ(context->beforeUninstallCommand().value_or("<none>"), "%AppDir%\\cleanup.exe,/all");

    std::string line;
    EXPECT_EQ(context->configLineCount("APPLICATION_FILES"), 2);
    EXPECT_TRUE(context->configLine("APPLICATION_FILES", 1, line));
    EXPECT_EQ(line, "readme.txt,%AppDir%\\readme.txt");
}

TEST(ConfigurationLoader, PageSlotsFollowTheSwitchesAndTheSetupType) {
    using P = PageIndex;
    const struct {
        const char* name;
        std::string ini;
        PageIndex firstPage;
        std::vector<PageIndex> slots;
        bool exitTextsRead;
    } cases[] = {
        {"welcome_finish",
         "[DIALOGS]\nWelcomeDialog=Yes\nFinishDialog=Yes\n",
         P::Welcome,
         {P::Welcome, P::Progress, P::Finish, P::Completion},
         true},
        {"unattended",
         "[SETUP_INFO]\nSetupType=1\n[DIALOGS]\nWelcomeDialog=Yes\nFinishDialog=Yes\n",
         P::Progress,
         {P::Progress, P::Completion},
         true},
        {"no_dialogs",
         "[GENERAL_INFO]\nProductName=X\n",
         P::Progress,
         {P::Progress, P::Completion},
         false},
        {"finish_only",
         "[DIALOGS]\nFinishDialog=y\n",
         P::Progress,
         {P::Progress, P::Finish, P::Completion},
         true},
        {"true_is_off",
         "[DIALOGS]\nWelcomeDialog=True\nStartDialog=1\n",
         P::Start,
         {P::Start, P::Progress, P::Completion},
         true},
        {"setup_type_text",
         "[SETUP_INFO]\nSetupType=one\n[DIALOGS]\nStartDialog=Yes\n",
         P::Start,
         {P::Start, P::Progress, P::Completion},
         true},
    };
    for (const auto& c : cases) {
        Package package(c.name, c.ini);
        const auto context = package.load();
        EXPECT_EQ(context->firstPage(), c.firstPage) << c.name;
        for (int slot = 0; slot <= 13; ++slot) {
            const PageIndex page = static_cast<PageIndex>(slot);
            const bool set = std::find(c.slots.begin(), c.slots.end(), page) != c.slots.end();
            EXPECT_EQ(context->pageSlot(page), set ? 1 : 0) << c.name << " slot " << slot;
        }
        EXPECT_EQ(!isUnset(*context, "ExitSetupTitle"), c.exitTextsRead) << c.name;
        EXPECT_EQ(context->getVariable("ProcessTitle", false), "Installing") << c.name;
    }
}

TEST(ConfigurationLoader, DocumentFlagsAndCommandRules) {
    const struct {
        const char* name;
        const char* runApps;
        bool before;
        bool after;
        bool beforeUninstall;
    } cases[] = {
        {"y_is_no_document_flag",
         "RunBeforeInstall=Y\nBeforeInstall=a.exe\n"
         "RunAfterInstall=Y\nAfterInstall=b.exe\n",
         false, false, false},
        {"true_yes_one",
         "RunBeforeInstall=True\nBeforeInstall=a.exe\n"
         "RunAfterInstall=YES\nAfterInstall=b.exe\n"
         "RunBeforeUninstall=10\nBeforeUninstall=c.exe\n",
         true, true, true},
        {"empty_commands",
         "RunBeforeInstall=yes\nBeforeInstall=\n"
         "RunAfterInstall=yes\nAfterInstall=\n"
         "RunBeforeUninstall=yes\n",
         false, false, false},
        {"switches_off",
         "RunBeforeInstall=no\nBeforeInstall=a.exe\n"
         "AfterInstall=b.exe\nBeforeUninstall=c.exe\n",
         false, false, false},
    };
    for (const auto& c : cases) {
        Package package(c.name, std::string("[RUNAPPS]\n") + c.runApps);
        const auto context = package.load();
        EXPECT_EQ(context->beforeInstallRun() != nullptr, c.before) << c.name;
        EXPECT_EQ(context->afterInstallCommand().has_value(), c.after) << c.name;
        EXPECT_EQ(context->beforeUninstallCommand().has_value(), c.beforeUninstall) << c.name;
    }
}

TEST(ConfigurationLoader, InstallationPathGivesTheDirectoryName) {
    const struct {
        const char* path;
        const char* appDir;
        const char* name;
    } cases[] = {
        {"C:\\Tool\\", "C:\\Tool\\", ""},
        {"Tool", "Tool", ""},
        {"C:\\Apps\\Acme Tool", "C:\\Apps\\Acme Tool", "Acme Tool"},
        {"", "", ""},
    };
    int index = 0;
    for (const auto& c : cases) {
        Package package("path" + std::to_string(index++),
                        std::string("[SETUP_INFO]\nDefaultInstallationPath=") + c.path + "\n");
        const auto context = package.load();
        EXPECT_EQ(context->getVariable("AppDir", false), c.appDir) << c.path;
        EXPECT_EQ(context->getVariable("DefaultDirectoryName", false), c.name) << c.path;
        EXPECT_EQ(context->getVariable("TextLogFileFormat", false), "No");
    }
}

TEST(ConfigurationLoader, MissingFilesEndTheLoadWithTheirCodesAndNames) {
    const struct {
        const char* name;
        bool setupIni;
        const char* language;
        bool archive;
        int code;
        const char* file;
    } cases[] = {
        {"no_setup_ini", false, "", true, 2, "Setup.ini"},
        {"no_language", true, "Deutsch", true, 2, "Deutsch.dat"},
        {"no_archive", true, "", false, 1, "setup.zip"},
    };
    for (const auto& c : cases) {
        PackageFolder package(c.name);
        if (c.setupIni)
            package.write("Setup.ini",
                          std::string("[SETUP_INFO]\nDefaultSetupLanguage=") + c.language + "\n");
        package.write("English.dat", englishDat);
        if (c.archive)
            package.write("setup.zip", "");
        try {
            package.load();
            ADD_FAILURE() << c.name << ": no exception";
        } catch (const FileException& e) {
            EXPECT_EQ(e.code(), c.code) << c.name;
            EXPECT_EQ(e.fileName(), c.file) << c.name;
        }
    }
}

TEST(ConfigurationLoader, NamedLanguageFileIsLoadedAndEnglishIsTheDefault) {
    Package package("language_choice", "[SETUP_INFO]\nDefaultSetupLanguage=Deutsch\n");
    package.write("Deutsch.dat", "[PROCESS_DIALOG]\nDialog_Title=Installiere\n");
    EXPECT_EQ(package.load()->getVariable("ProcessTitle", false), "Installiere");

    Package english("language_default", "[SETUP_INFO]\nSetupLanguages=Deutsch\n");
    english.write("Deutsch.dat", "[PROCESS_DIALOG]\nDialog_Title=Installiere\n");
    EXPECT_EQ(english.load()->getVariable("ProcessTitle", false), "Installing");
}

TEST(Language, SwitchingKeepsTextsTheNewFileLacks) {
    Package package("switch", "[SETUP_INFO]\nSetupLanguages=English,Deutsch\n"
                              "[DIALOGS]\nWelcomeDialog=Yes\nFinishDialog=Yes\n"
                              "LanguageDialog=Yes\n");
    package.write("Deutsch.dat", "[WELCOME_DIALOG]\nDialog_Title=Willkommen\nStatic1=D1\n"
                                 "[LANGUAGE_DIALOG]\nDialog_Title=Sprache\n"
                                 "[FINISH_DIALOG]\nCheck1=Liesmich\n"
                                 "[EXIT_SETUP_DIALOG]\nExit=Beenden\n"
                                 "[STRINGS]\n21=%1 geht nicht\n");
    const auto context = package.load();

    std::vector<std::string> names;
    std::string name;
    for (int index = 0; context->languageName(index, name); ++index)
        names.push_back(name);
    EXPECT_EQ(names, (std::vector<std::string>{"English", "Deutsch"}));
    EXPECT_FALSE(context->languageName(5, name));
    EXPECT_EQ(name, "English");
    EXPECT_TRUE(isUnset(*context, "FinishCheck1")) << "check box texts need their check box";

    context->loadLanguage("Deutsch");
    EXPECT_EQ(context->getVariable("DefaultSetupLanguage", false), "Deutsch");
    EXPECT_EQ(context->getVariable("WelcomeTitle", false), "Willkommen");
    EXPECT_EQ(context->getVariable("WelcomeText1", false), "D1");
    EXPECT_EQ(context->getVariable("WelcomeText3", false), "W3");
    EXPECT_EQ(context->getVariable("LanguageTitle", false), "Language")
        << "the language page's texts are read at load only";
    EXPECT_EQ(context->getVariable("FinishCheck1", false), "Liesmich");
    EXPECT_EQ(context->getVariable("ExitExit", false), "Beenden");
    EXPECT_EQ(context->formatLanguageString(21, "Windows 95"), "Windows 95 geht nicht");
    EXPECT_EQ(context->languageString(1), "");

    try {
        context->loadLanguage("Klingon");
        ADD_FAILURE() << "no exception";
    } catch (const FileException& e) {
        EXPECT_EQ(e.code(), 2);
        EXPECT_EQ(e.fileName(), "Klingon.dat");
    }
}

TEST(Language, NumberedStringsAreUnescapedNotExpandedAndFormatOnce) {
    Package package("strings", "[GENERAL_INFO]\nProductName=Acme\n");
    const auto context = package.load();
    EXPECT_EQ(context->languageString(1), "Requirements");
    EXPECT_EQ(context->formatLanguageString(21, "Windows 95"),
              "Windows 95 is not supported\n\rSorry");
    EXPECT_EQ(context->formatLanguageString(22, "Windows 98"), "Windows 98 %1 untested");
    EXPECT_EQ(context->formatLanguageString(99, "x"), "");
    EXPECT_EQ(context->getVariable("ReinstallDialogTitle", false), "Reinstall %ProductName%");
}

TEST(ConfigurationLoader, UninstallLogGetsTheHeaderAndTheExpandedUninstallCommand) {
    Package package("uninstall_log", "[GENERAL_INFO]\nProductName=Acme %ProductVersion%\n"
                                     "ProductVersion=2\n"
                                     "[SETUP_INFO]\nTextLogFileFormat=Yes\n"
                                     "[RUNAPPS]\nRunBeforeUninstall=yes\n"
                                     "BeforeUninstall=%AppDir%\\clean.exe\n");
    package.write("English.dat", "[UNINSTALL_DIALOG]\nFirst<br>line\n\n  \nSecond=%AppDir%\n");
    const auto context = package.load();
    context->setAppDir(package.path());

    UninstallLog* log = context->createUninstallLog(false);
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(context->uninstallLog(), log);
    EXPECT_EQ(*context->beforeUninstallCommand(), package.path() + "\\clean.exe");
    log->write();

    std::string expected = "[COMMON]\r\nApplication_Name=Acme 2\r\nFirst<br>line\r\n"
                           "Second=%AppDir%\r\n";
    for (int missing = 2; missing <= 12; ++missing)
        expected += "\r\n";
    expected += "[SHAREDFILES]\r\n[STDFILES]\r\n[APPFILES]\r\n" + package.path() +
                "\\setup.log\r\n[APPFOLDERS]\r\n[APPDIR]\r\n[REGVALUES]\r\n[REGENTRY]\r\n"
                "[REGDLLS]\r\n[RUNAPPS]\r\nBeforeUninstall=" +
                package.path() + "\\clean.exe\r\n";
    EXPECT_EQ(readFile(package.file("setup.log")), expected);
}

TEST(ConfigurationLoader, DestructorWritesAndEncodesTheLogUnlessItIsText) {
    for (const char* format : {"No", "Yes"}) {
        Package package(std::string("encode_") + format,
                        std::string("[SETUP_INFO]\nTextLogFileFormat=") + format + "\n");
        {
            const auto context = package.load();
            context->setAppDir(package.path());
            context->createUninstallLog(false);
        }
        const std::string bytes = readFile(package.file("setup.log"));
        ASSERT_FALSE(bytes.empty()) << format;
        if (std::string(format) == "Yes") {
            EXPECT_EQ(bytes.substr(0, 10), "[COMMON]\r\n");
        } else {
            std::string decoded = bytes;
            for (char& byte : decoded)
                byte = static_cast<char>(~static_cast<unsigned char>(byte));
            EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xA4);
            EXPECT_EQ(decoded.substr(0, 10), "[COMMON]\r\n");
        }
    }
}

TEST(ConfigurationLoader, RunsTheAfterInstallCommandExpandedWhenAsked) {
    Package package("after_install", "[RUNAPPS]\nRunAfterInstall=yes\n"
                                     "AfterInstall=%Marker%.exe,,,0\n");
    const auto context = package.load();
    context->setVariable("Marker", package.path() + "\\missing");
    context->runAfterInstall();
    EXPECT_EQ(*context->afterInstallCommand(), package.path() + "\\missing.exe,,,0");
}

} // namespace
