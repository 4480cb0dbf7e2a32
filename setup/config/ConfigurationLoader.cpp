// Loading Setup.ini: every setting into its variable or context field, the
// language file, the page slots and the programs to run around the
// installation. Runs once, inside the context's constructor.
#include "setup/config/SetupContext.h"

#include "setup/config/DialogTexts.h"
#include "setup/config/FolderVariables.h"
#include "setup/config/WaitCursor.h"
#include "setup/install/base/RunAppRecord.h"
#include "setup/records/text/PathText.h"

#include <vector>

namespace {

// How a key lands in its variable.
struct Setting {
    const char* key;
    const char* variable;
};

const Setting generalInfo[] = {
    {"ProductName", "ProductName"},       {"CompanyName", "CompanyName"},
    {"ProductVersion", "ProductVersion"}, {"ProductDescription", "ProductDescription"},
    {"ProductURL", "ProductURL"},         {"CopyrightNotice", "Copyright"},
};

const Setting systemRequirements[] = {
    {"AnyWindows", "SysReqAnyWindows"}, {"Windows95", "SysReqWindows95"},
    {"Windows98", "SysReqWindows98"},   {"WindowsME", "SysReqWindowsME"},
    {"WindowsNT4", "SysReqWindowsNT4"}, {"Windows2000", "SysReqWindows2000"},
    {"WindowsXP", "SysReqWindowsXP"},   {"AbortInstallation", "SysReqAbortInstallation"},
};

const Setting dialogSwitches[] = {
    {"SplashWindow", "DlgSplashWindow"},
    {"SetupWindow", "DlgSetupWindow"},
    {"CustomDialogImage", "DlgCustomDialogImage"},
    {"LanguageDialog", "DlgLanguageDialog"},
    {"WelcomeDialog", "DlgWelcomeDialog"},
    {"LicenseDialog", "DlgLicenseDialog"},
    {"ReadmeDialog", "DlgReadmeDialog"},
    {"UserInfoDialog", "DlgUserInfoDialog"},
    {"TargetDirectoryDialog", "DlgTargetDirectoryDialog"},
    {"ProgramGroupDialog", "DlgProgramGroupDialog"},
    {"ProgramIconOptionsDialog", "DlgProgramIconOptionsDialog"},
    {"StartDialog", "DlgStartDialog"},
    {"FinishDialog", "DlgFinishDialog"},
};

const char* const setupWindowKeys[] = {
    "WindowTitle",    "GradientFill",    "ColorFrom",           "ColorTo",      "Heading",
    "HeadingFont",    "HeadingColor",    "HeadingAlignment",    "Heading3D",    "Subheading",
    "SubheadingFont", "SubheadingColor", "SubheadingAlignment", "Subheading3D", "Footer",
    "FooterFont",     "FooterColor",     "FooterAlignment",     "Footer3D",
};

} // namespace

void SetupContext::loadConfiguration() {
    const WaitCursor waitCursor;
    viewReadmeRequested_ = false;
    runApplicationRequested_ = false;
    setVariable("CreateDesktopIcon", "Yes");
    setVariable("CreateQuickLaunchIcon", "Yes");
    setFolderVariables(*this);

    setConfigDocument(std::make_unique<IniDocument>(packageDirectory_, "Setup.ini"));
    const IniDocument& config = *configDocument_;
    // A "text, always" setting: the variable is set even to the empty text.
    const auto readAlways = [&](const char* section, const char* key, const char* variable,
                                const char* defaultValue = "") {
        setVariable(variable, config.getString(section, key, defaultValue));
    };
    // A "text, always" setting expanded once, now, against what is known so far.
    const auto readExpanded = [&](const char* section, const char* key) {
        std::string value = config.getString(section, key, std::string());
        expandVariables(value);
        return value;
    };

    for (const Setting& setting : generalInfo)
        readAlways("GENERAL_INFO", setting.key, setting.variable);
    readAlways("SETUP_INFO", "EnableUninstaller", "EnableUninstaller");
    readAlways("SETUP_INFO", "AddRemoveProgramsDescription", "AddRemoveProgramsDescription");
    readAlways("SETUP_INFO", "SetupType", "SetupType");
    unattended_ = getIntVariable("SetupType", 10) == 1;
    readAlways("SETUP_INFO", "ForceRestart", "ForceRestart");
    setCommonFilesVariable(*this);

    const std::string installationPath = readExpanded("SETUP_INFO", "DefaultInstallationPath");
    setVariable("DefaultInstallationPath", installationPath);
    setAppDir(installationPath);
    // Without a '\' there is no directory name: splitPath would give the whole text.
    setVariable("DefaultDirectoryName", installationPath.find('\\') == std::string::npos
                                            ? std::string()
                                            : splitPath(installationPath).name);

    const std::string shortcutFolder = readExpanded("SETUP_INFO", "DefaultShortcutFolderName");
    setVariable("DefaultShortcutFolderName", shortcutFolder);
    setOutputProgramGroup(shortcutFolder);

    readAlways("SETUP_INFO", "TestReinstall", "TestReinstall");
    readAlways("SETUP_INFO", "TestReinstallRegKey", "TestReinstallRegKey");
    readAlways("SETUP_INFO", "TextLogFileFormat", "TextLogFileFormat", "No");
    copyConfigValue("SETUP_INFO", "DefaultSetupLanguage");
    copyConfigValue("SETUP_INFO", "SetupLanguages");

    const std::string language = getVariable("DefaultSetupLanguage", true);
    setLanguageDocument(std::make_unique<IniDocument>(
        packageDirectory_, language.empty() ? std::string("English.dat") : language + ".dat"));

    copyConfigValue("SETUP_INFO", "RequiredDiskSpace");
    for (const Setting& setting : systemRequirements)
        copyConfigValue("SYSTEM_REQUIREMENTS", setting.key, setting.variable);

    if (config.getBool("RUNAPPS", "RunBeforeInstall", false)) {
        const std::string command = readExpanded("RUNAPPS", "BeforeInstall");
        // An empty command names nothing to run; the shell is not asked to open "".
        if (!command.empty())
            beforeInstallRun_ = std::make_unique<RunAppRecord>(command);
    }
    if (config.getBool("RUNAPPS", "RunAfterInstall", false)) {
        const std::string command = config.getString("RUNAPPS", "AfterInstall", std::string());
        if (!command.empty())
            afterInstallCommand_ = command;
    }
    if (config.getBool("RUNAPPS", "RunBeforeUninstall", false)) {
        const std::string command = config.getString("RUNAPPS", "BeforeUninstall", std::string());
        if (!command.empty())
            beforeUninstallCommand_ = command;
    }

    for (const Setting& setting : dialogSwitches)
        copyConfigValue("DIALOGS", setting.key, setting.variable);
    copyDialogTexts(dialog_texts::reinstall);
    copyDialogTexts(dialog_texts::fileInUse);

    if (getFlagVariable("DlgSplashWindow")) {
        copyConfigValue("SPLASH_WINDOW", "Bitmap_Pathname", "SplWBitmap_Pathname");
        copyConfigValue("SPLASH_WINDOW", "Bitmap_Duration", "SplWBitmap_Duration");
    }
    if (getFlagVariable("DlgCustomDialogImage"))
        copyConfigValue("DIALOGS", "CustomDialogBitmap_Pathname", "CustomDlgBitmap_Pathname");
    if (getFlagVariable("DlgSetupWindow")) {
        for (const char* key : setupWindowKeys) {
            const std::string variable = std::string("SW") + key;
            copyConfigValue("SETUP_WINDOW", key, variable.c_str());
        }
    }

    // The pages the DIALOGS section asks for, with their settings and texts;
    // the progress page has no switch and its texts are always read.
    std::vector<PageIndex> wanted;
    for (const PageDialogTexts& page : dialog_texts::pages) {
        if (!pageSwitchedOn(page))
            continue;
        if (page.switchVariable != nullptr) {
            wanted.push_back(page.page);
            readPageSettings(page.page);
        }
        copyPageTexts(page);
    }
    copyFinishCheckTexts(showViewReadmeCheckBox_, showRunApplicationCheckBox_);
    if (!wanted.empty())
        copyDialogTexts(dialog_texts::exitSetup);

    // Unattended, the installation runs without a page before it.
    pages_.fill(0);
    if (!unattended_)
        for (PageIndex page : wanted)
            setPageSlot(page, 1);
    setPageSlot(PageIndex::Progress, 1);
    setPageSlot(PageIndex::Completion, 1);
    setFirstPage(PageIndex::Progress);
    if (!unattended_) {
        for (PageIndex page : wanted) {
            if (page <= PageIndex::Start) {
                setFirstPage(page);
                break;
            }
        }
    }
}

// The Setup.ini keys of a page that the DIALOGS section turned on.
void SetupContext::readPageSettings(PageIndex page) {
    const IniDocument& config = *configDocument_;
    switch (page) {
    case PageIndex::License:
        copyConfigValue("LICENSE_DIALOG", "License_Pathname");
        break;
    case PageIndex::Readme:
        copyConfigValue("README_DIALOG", "Readme_Pathname");
        break;
    case PageIndex::IconOptions:
        copyConfigValue("PROGRAM_ICON_OPTIONS_DIALOG", "AddCreateDesktopIconOption");
        copyConfigValue("PROGRAM_ICON_OPTIONS_DIALOG", "AddCreateQuickLaunchIconOption");
        break;
    case PageIndex::Finish: {
        const bool viewReadme = config.getBool("FINISH_DIALOG", "Show_ViewReadme_CheckBox", false);
        setViewReadmeCheckBox(
            viewReadme,
            viewReadme && config.getBool("FINISH_DIALOG", "Show_ViewReadme_Checked", false));
        if (viewReadme)
            copyConfigValue("FINISH_DIALOG", "Readme_Pathname", "FinalReadmePathname");
        const bool runApplication =
            config.getBool("FINISH_DIALOG", "Show_RunApplication_CheckBox", false);
        setRunApplicationCheckBox(
            runApplication, runApplication && config.getBool("FINISH_DIALOG",
                                                             "Show_RunApplication_Checked", false));
        if (runApplication)
            copyConfigValue("FINISH_DIALOG", "Application_Pathname");
        break;
    }
    default:
        break;
    }
}
