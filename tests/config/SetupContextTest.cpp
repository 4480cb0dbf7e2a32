#include "setup/config/SetupContext.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

namespace {

using namespace std::string_literals;
using testing_support::fileExists;
using testing_support::readFile;
using testing_support::ScratchFolder;
using testing_support::writeFile;

std::string complemented(std::string bytes) {
    for (char& byte : bytes)
        byte = static_cast<char>(~static_cast<unsigned char>(byte));
    return bytes;
}

TEST(SetupContext, VariableOperations) {
    SetupContext context;
    EXPECT_EQ(context.getVariable("Unset", true), "");
    context.setVariable("Base", "C:\\Program Files");
    context.setAppDir("%Base%\\Vantra");
    context.setOutputProgramGroup("Tools");
    context.setVariable("AppSCFolder", "C:\\Menu\\%OutputProgramGroup%");
    context.setVariable("ProductName", "Vantra %Version%");
    context.setVariable("Version", "2.0");
    context.setVariable("Color", "FF8000");
    context.setVariable("Flag", "yes");

    EXPECT_EQ(context.getAppDir(), "C:\\Program Files\\Vantra");
    EXPECT_EQ(context.getVariable("AppDir", false), "%Base%\\Vantra");
    EXPECT_EQ(context.getProductName(), "Vantra 2.0");
    EXPECT_EQ(context.getVariable("AppSCFolder", true), "C:\\Menu\\Tools");
    EXPECT_EQ(context.getIntVariable("Color", 16), 16744448u);
    EXPECT_TRUE(context.getFlagVariable("Flag"));
    EXPECT_FALSE(context.getFlagVariable("NotSet"));

    std::string text = "%ProductName% in %Nowhere%";
    context.expandVariables(text);
    EXPECT_EQ(text, "Vantra 2.0 in %Nowhere%");
}

TEST(SetupContext, FontVariableFillsALogFont) {
    const struct {
        const char* value;
        const char* face;
        LONG height, weight;
        BYTE italic, underline, strikeOut;
    } cases[] = {
        {"Verdana,20,700,1,0,0", "Verdana", 20, 700, 1, 0, 0},
        {"Verdana", "Arial", -12, 400, 0, 0, 0},
        {"", "Arial", -12, 400, 0, 0, 0},
        {"Tahoma,14,700", "Tahoma", 14, 400, 0, 0, 0},
        {"Courier,-9,300,0,1,1", "Courier", -9, 300, 0, 1, 1},
        // The face field keeps 31 bytes and the terminating zero.
        {"0123456789012345678901234567890,1,2,0,0,0", "0123456789012345678901234567890", 1, 2, 0, 0,
         0},
        {"01234567890123456789012345678901,1,2,0,0,0", "0123456789012345678901234567890", 1, 2, 0,
         0, 0},
        {"0123456789012345678901234567890123456789,1,2,0,0,0", "0123456789012345678901234567890", 1,
         2, 0, 0, 0},
    };
    SetupContext context;
    for (const auto& c : cases) {
        context.setVariable("Font", c.value);
        const LOGFONTA font = context.getFontVariable("Font");
        EXPECT_STREQ(font.lfFaceName, c.face) << c.value;
        EXPECT_EQ(font.lfHeight, c.height) << c.value;
        EXPECT_EQ(font.lfWeight, c.weight) << c.value;
        EXPECT_EQ(font.lfItalic, c.italic) << c.value;
        EXPECT_EQ(font.lfUnderline, c.underline) << c.value;
        EXPECT_EQ(font.lfStrikeOut, c.strikeOut) << c.value;
        EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET) << c.value;
        EXPECT_EQ(font.lfQuality, PROOF_QUALITY) << c.value;
        EXPECT_EQ(font.lfWidth | font.lfEscapement | font.lfOrientation, 0) << c.value;
        EXPECT_EQ(font.lfOutPrecision | font.lfClipPrecision | font.lfPitchAndFamily, 0) << c.value;
    }
}

TEST(SetupContext, PageNavigation) {
    using Page = std::optional<PageIndex>;
    const auto page = [](int index) { return static_cast<PageIndex>(index); };
    const Page none = std::nullopt;

    SetupContext context;
    EXPECT_EQ(context.firstPage(), PageIndex::None);
    EXPECT_EQ(context.currentPage(), PageIndex::None);
    for (PageIndex enabled : {PageIndex::Welcome, PageIndex::TargetDirectory, PageIndex::Progress,
                              PageIndex::Completion})
        context.setPageSlot(enabled, 1);
    context.setFirstPage(PageIndex::Welcome);
    EXPECT_EQ(context.firstPage(), PageIndex::Welcome);

    // Current pages outside None..Completion are taken as the numbers they are.
    const struct {
        PageIndex current;
        Page next, previous;
    } cases[] = {
        {PageIndex::Welcome, PageIndex::TargetDirectory, none},
        {PageIndex::TargetDirectory, PageIndex::Progress, PageIndex::Welcome},
        {PageIndex::Progress, PageIndex::Completion, PageIndex::TargetDirectory},
        {PageIndex::Completion, none, PageIndex::Progress},
        {PageIndex::None, PageIndex::Welcome, none},
        {page(-1), PageIndex::Welcome, none},
        {PageIndex::UserInfo, PageIndex::TargetDirectory, PageIndex::Welcome},
        {page(14), none, PageIndex::Completion},
        {page(99), none, PageIndex::Completion},
    };
    for (const auto& c : cases) {
        context.setCurrentPage(c.current);
        const int current = static_cast<int>(c.current);
        EXPECT_EQ(context.currentPage(), c.current) << current;
        EXPECT_EQ(context.nextPage(), c.next) << current;
        EXPECT_EQ(context.previousPage(), c.previous) << current;
    }
    EXPECT_EQ(context.firstPage(), PageIndex::Welcome) << "the current page has a slot of its own";

    // Only slots holding exactly 1 are pages; values outside None..Completion
    // name no slot, not even the first or the current page's.
    context.setPageSlot(PageIndex::Readme, 2);
    for (int outside : {-1, 14, 15, 16})
        context.setPageSlot(page(outside), 1);
    context.setCurrentPage(PageIndex::Welcome);
    EXPECT_EQ(context.nextPage(), PageIndex::TargetDirectory);
    EXPECT_EQ(context.pageSlot(PageIndex::Readme), 2);
    for (int outside : {-1, 14, 15, 16})
        EXPECT_EQ(context.pageSlot(page(outside)), 0) << outside;
    EXPECT_EQ(context.firstPage(), PageIndex::Welcome);
    EXPECT_EQ(context.currentPage(), PageIndex::Welcome);

    SetupContext empty;
    EXPECT_EQ(empty.nextPage(), none);
    EXPECT_EQ(empty.previousPage(), none);
}

TEST(SetupContext, CopiesConfigurationAndLanguageValues) {
    SetupContext context;
    context.setVariable("Kept", "kept");
    // Without documents nothing is copied.
    EXPECT_EQ(context.copyConfigValue("GENERAL_INFO", "ProductName", "Kept"), 0u);
    EXPECT_EQ(context.copyLanguageValue("WELCOME_DIALOG", "Caption", "Kept"), 0u);
    EXPECT_EQ(context.getVariable("Kept", false), "kept");

    context.setConfigDocument(
        std::make_unique<IniDocument>("[GENERAL_INFO]\r\nProductName=Vantra<tab>Pro\r\nEmpty=\r\n"
                                      "DefaultInstallationPath=%ProgramFiles%\\Vantra\r\n"));
    context.setLanguageDocument(std::make_unique<IniDocument>(
        "[WELCOME_DIALOG]\r\nCaption=Welcome<br>to %ProductName%\r\n"));
    const struct {
        bool fromConfig;
        const char* section;
        const char* key;
        const char* variable; // null: stored under the key
        std::size_t length;
        const char* checked; // the variable to read back, unexpanded
        const char* value;
    } cases[] = {
        {true, "GENERAL_INFO", "ProductName", nullptr, 10, "ProductName", "Vantra\tPro"},
        {true, "GENERAL_INFO", "DefaultInstallationPath", "AppDir", 21, "AppDir",
         "%ProgramFiles%\\Vantra"},
        {true, "GENERAL_INFO", "Empty", "Kept", 0, "Kept", "kept"},
        {true, "GENERAL_INFO", "Missing", "Kept", 0, "Kept", "kept"},
        {true, "NO_SUCH_SECTION", "ProductName", "Kept", 0, "Kept", "kept"},
        {true, "WELCOME_DIALOG", "Caption", "Kept", 0, "Kept", "kept"},
        {false, "WELCOME_DIALOG", "Caption", "WelcomeCaption", 25, "WelcomeCaption",
         "Welcome\n\rto %ProductName%"},
        {false, "GENERAL_INFO", "ProductName", "Kept", 0, "Kept", "kept"},
    };
    for (const auto& c : cases) {
        const std::size_t length = c.fromConfig
                                       ? context.copyConfigValue(c.section, c.key, c.variable)
                                       : context.copyLanguageValue(c.section, c.key, c.variable);
        EXPECT_EQ(length, c.length) << c.key;
        EXPECT_EQ(context.getVariable(c.checked, false), c.value) << c.key;
    }
}

TEST(SetupContext, ConfigLines) {
    SetupContext context;
    std::string line = "stale";
    EXPECT_EQ(context.configLineCount("FILES"), 0);
    EXPECT_FALSE(context.configLine("FILES", 0, line));
    EXPECT_EQ(line, "");

    context.setConfigDocument(
        std::make_unique<IniDocument>("[FILES]\r\nA,<tab>1\r\n\r\nB<br>\r\n[DIRS]\r\nC\r\n"));
    EXPECT_EQ(context.configLineCount("FILES"), 2);
    EXPECT_TRUE(context.configLine("FILES", 0, line));
    EXPECT_EQ(line, "A,\t1");
    EXPECT_TRUE(context.configLine("FILES", 1, line));
    EXPECT_EQ(line, "B\n\r");
    EXPECT_FALSE(context.configLine("FILES", 2, line));
    EXPECT_EQ(line, "");
}

TEST(SetupContext, FlagsAndCommands) {
    SetupContext context;
    EXPECT_FALSE(context.abortRequested());
    EXPECT_FALSE(context.unattended());
    EXPECT_FALSE(context.showViewReadmeCheckBox() || context.viewReadmeChecked() ||
                 context.showRunApplicationCheckBox() || context.runApplicationChecked() ||
                 context.viewReadmeRequested() || context.runApplicationRequested());
    EXPECT_FALSE(context.afterInstallCommand().has_value());

    context.setAbortRequested(true);
    context.setUnattended(true);
    context.setViewReadmeCheckBox(true, false);
    context.setRunApplicationCheckBox(false, true);
    context.setViewReadmeRequested(true);
    context.setAfterInstallCommand(std::string("%AppDir%\\after.exe"));
    EXPECT_TRUE(context.abortRequested());
    EXPECT_TRUE(context.unattended());
    EXPECT_TRUE(context.showViewReadmeCheckBox());
    EXPECT_FALSE(context.viewReadmeChecked());
    EXPECT_FALSE(context.showRunApplicationCheckBox());
    EXPECT_TRUE(context.runApplicationChecked());
    EXPECT_TRUE(context.viewReadmeRequested());
    EXPECT_FALSE(context.runApplicationRequested());
    EXPECT_EQ(context.afterInstallCommand().value(), "%AppDir%\\after.exe");
}

TEST(UninstallLogEncoding, ComplementsOnlyAPlainLog) {
    const std::string plain =
        "[COMMON]\r\nApplication_Name=Vantra\r\n[APPFILES]\r\nC:\\x\0\xff\r\n"s;
    const struct {
        std::string before;
        std::string after;
    } cases[] = {
        {plain, complemented(plain)},
        {"[", "\xa4"},
        {"COMMON]\r\n", "COMMON]\r\n"},
        {" [COMMON]\r\n", " [COMMON]\r\n"},
        {complemented(plain), complemented(plain)},
        {"", ""},
    };
    ScratchFolder folder("encode");
    const std::string path = folder.file("setup.log");
    for (const auto& c : cases) {
        ASSERT_TRUE(writeFile(path, c.before));
        encodeUninstallLogFile(path);
        EXPECT_EQ(readFile(path), c.after) << c.before;
    }

    DeleteFileA(path.c_str());
    encodeUninstallLogFile(path);
    EXPECT_FALSE(fileExists(path));

    // A file someone holds open without sharing stays as it is.
    ASSERT_TRUE(writeFile(path, plain));
    const HANDLE holder =
        CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    encodeUninstallLogFile(path);
    CloseHandle(holder);
    EXPECT_EQ(readFile(path), plain);
}

TEST(UninstallLogEncoding, DestructorEncodesTheLogInTheApplicationDirectory) {
    const std::string plain = "[COMMON]\r\nApplication_Name=Vantra\r\n";
    ScratchFolder folder("destructor");
    const std::string path = folder.file("setup.log");
    const struct {
        std::string appDir;
        const char* textLogFileFormat; // null: never set
        bool encoded;
    } cases[] = {
        {folder.path(), nullptr, true},
        {folder.path() + "\\", nullptr, true},
        {"%Base%", nullptr, true},
        {folder.path(), "No", true},
        {folder.path(), "True", true},
        {folder.path(), "Yes", false},
        {folder.path(), "1", false},
        {folder.path(), "%Text%", false},
        {folder.path() + "\\elsewhere", nullptr, false},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(writeFile(path, plain));
        {
            SetupContext context;
            context.setConfigDocument(std::make_unique<IniDocument>("[GENERAL_INFO]\r\n"));
            context.setLanguageDocument(std::make_unique<IniDocument>("[UNINSTALL_DIALOG]\r\n"));
            context.setVariable("Base", folder.path());
            context.setVariable("Text", "yes");
            context.setAppDir(c.appDir);
            if (c.textLogFileFormat != nullptr)
                context.setVariable("TextLogFileFormat", c.textLogFileFormat);
        }
        EXPECT_EQ(readFile(path), c.encoded ? complemented(plain) : plain)
            << c.appDir << " " << (c.textLogFileFormat ? c.textLogFileFormat : "(unset)");
    }
}

// A context that never learnt its application directory leaves a setup.log
// in the current directory alone: it is not this run's log.
TEST(UninstallLogEncoding, NoApplicationDirectoryNoEncoding) {
    const std::string plain = "[COMMON]\r\nApplication_Name=Other\r\n";
    ScratchFolder folder("noappdir");
    char previous[MAX_PATH + 1] = {};
    GetCurrentDirectoryA(sizeof previous, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.path().c_str()));
    ASSERT_TRUE(writeFile("setup.log", plain));
    { SetupContext context; }
    const std::string after = readFile("setup.log");
    DeleteFileA("setup.log");
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(after, plain);
}

} // namespace
