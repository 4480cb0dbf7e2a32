#include "setup/records/ShortcutRecordHandler.h"

#include "setup/config/SetupContext.h"
#include "setup/install/base/UninstallLog.h"
#include "setup/records/helpers/ComPointer.h"
#include "setup/records/ErrorLog.h"
#include "tests/records/RecordTestSupport.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

// What a saved shell link holds, read back through the shell.
struct Link {
    bool loaded = false;
    std::string target;
    std::string arguments;
    std::string iconFile;
    int iconIndex = 0;
    int showCommand = 0;
    std::string workingDirectory;
};

Link loadLink(const std::string& path) {
    Link link;
    ComPointer<IShellLinkA> shellLink;
    ComPointer<IPersistFile> persist;
    WCHAR widePath[MAX_PATH];
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                shellLink.receive())) ||
        FAILED(shellLink->QueryInterface(IID_IPersistFile, persist.receive())) ||
        !MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH) ||
        FAILED(persist->Load(widePath, STGM_READ)))
        return link;
    link.loaded = true;
    char text[1024];
    text[0] = '\0';
    shellLink->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH);
    link.target = text;
    text[0] = '\0';
    shellLink->GetArguments(text, sizeof text);
    link.arguments = text;
    text[0] = '\0';
    shellLink->GetIconLocation(text, sizeof text, &link.iconIndex);
    link.iconFile = text;
    // Wine's loader does not restore the show command: it is read from the
    // link's header, a 32-bit little-endian number at offset 60.
    const std::string header = readFile(path);
    if (header.size() >= 64)
        for (int index = 3; index >= 0; --index)
            link.showCommand =
                link.showCommand * 256 + static_cast<unsigned char>(header[60 + index]);
    text[0] = '\0';
    shellLink->GetWorkingDirectory(text, sizeof text);
    link.workingDirectory = text;
    return link;
}

std::string urlOf(const std::string& path) {
    char url[1024] = {};
    GetPrivateProfileStringA("InternetShortcut", "URL", "(missing)", url, sizeof url, path.c_str());
    return url;
}

// A handler over a real uninstall log and error log, with the shortcut folders
// below the test's scratch folder and a status line of its own.
class ShortcutRecordTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        statusText = CreateWindowA("STATIC", "before", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(statusText, nullptr);
        context.setVariable("AppDir", folder / "App");
        context.setVariable("AppSCFolder", folder / "Menu\\Group");
        context.setVariable("Empty", "");
        CreateDirectoryA((folder / "App").c_str(), nullptr);
        std::ofstream(folder / "App\\app.exe") << "MZ";
        // Where the driver leaves the log when the shortcuts are made.
        log.setFileClass(UninstallLog::SystemFiles);
        handler = std::make_unique<ShortcutRecordHandler>(context, log, errors, statusText);
    }
    void TearDown() override {
        handler.reset();
        DestroyWindow(statusText);
        CoUninitialize();
    }

    std::string status() const {
        char text[256] = {};
        GetWindowTextA(statusText, text, sizeof text);
        return text;
    }

    ScratchFolder folder;
    SetupContext context;
    UninstallLog log{folder.path(), "setup.log", 1, false};
    ErrorLog errors{folder.path(), log};
    HWND statusText = nullptr;
    std::unique_ptr<ShortcutRecordHandler> handler;
};

TEST_F(ShortcutRecordTest, ShowsItsStatusWhileItLives) {
    EXPECT_EQ(status(), "Create shortcuts");
    handler.reset();
    EXPECT_EQ(status(), "");
}

TEST_F(ShortcutRecordTest, MakesTheProgramGroupAndAPlainLink) {
    EXPECT_TRUE(handler->process("s,%AppSCFolder%\\My App,%AppDir%\\app.exe,,,,,"));

    const std::string link = folder / "Menu\\Group\\My App.lnk";
    EXPECT_TRUE(fileExists(link));
    const Link saved = loadLink(link);
    ASSERT_TRUE(saved.loaded);
    EXPECT_EQ(saved.target, folder / "App\\app.exe");
    EXPECT_EQ(saved.arguments, "");
    EXPECT_EQ(saved.iconFile, "");
    EXPECT_EQ(saved.iconIndex, 0);
    EXPECT_EQ(saved.showCommand, SW_SHOWNORMAL);
    EXPECT_EQ(saved.workingDirectory, "");

    // Each folder made is logged under the current class, outermost first;
    // the link under the shortcut class.
    EXPECT_EQ(log.entries("APPFOLDERS"), (Texts{folder / "Menu", folder / "Menu\\Group"}));
    EXPECT_EQ(log.entries("APPFILES"), (Texts{folder / "setup.log", link}));
    EXPECT_EQ(log.fileClass(), UninstallLog::SystemFiles);
    EXPECT_TRUE(errors.messages().empty());

    // A second link in the same folder makes no folder.
    EXPECT_TRUE(handler->process("s,%AppSCFolder%\\Second,%AppDir%\\app.exe"));
    EXPECT_EQ(log.entries("APPFOLDERS").size(), 2u);
}

TEST_F(ShortcutRecordTest, SetsEveryPropertyOfAShellLink) {
    const std::string target = folder / "App\\app.exe";
    const struct {
        std::string fields; // arguments, icon file, icon index, show command, working directory
        Link expected;
    } cases[] = {
        {"-a \"b c\" %AppDir%,C:\\Icons\\app.ico,3,7,C:\\Work",
         {true, target, "-a \"b c\" %AppDir%", "C:\\Icons\\app.ico", 3, 7, "C:\\Work"}},
        {",C:\\Icons\\app.ico,abc,3,", {true, target, "", "C:\\Icons\\app.ico", 0, 3, ""}},
        {",,5,  2x,", {true, target, "", "", 0, 2, ""}},
        {"&comma;x,,,,", {true, target, "&comma;x", "", 0, SW_SHOWNORMAL, ""}},
    };
    int number = 0;
    for (const auto& c : cases) {
        const std::string path = folder / ("Link" + std::to_string(++number));
        const std::string record = "s," + path + ",%AppDir%\\app.exe," + c.fields;
        EXPECT_TRUE(handler->process(record)) << record;
        const Link saved = loadLink(path + ".lnk");
        EXPECT_TRUE(saved.loaded) << record;
        EXPECT_EQ(saved.target, c.expected.target) << record;
        EXPECT_EQ(saved.arguments, c.expected.arguments) << record;
        EXPECT_EQ(saved.iconFile, c.expected.iconFile) << record;
        EXPECT_EQ(saved.iconIndex, c.expected.iconIndex) << record;
        EXPECT_EQ(saved.showCommand, c.expected.showCommand) << record;
        EXPECT_EQ(saved.workingDirectory, c.expected.workingDirectory) << record;
    }
    EXPECT_TRUE(errors.messages().empty());
}

TEST_F(ShortcutRecordTest, OnlyTheFirstCharacterOfTheTypeCountsAndItsCase) {
    EXPECT_TRUE(handler->process("shell," + folder.path() + "\\Shell,%AppDir%\\app.exe"));
    EXPECT_FALSE(handler->process("S," + folder.path() + "\\Upper,%AppDir%\\app.exe"));
    EXPECT_FALSE(handler->process("," + folder.path() + "\\Untyped,%AppDir%\\app.exe"));
    // A folder made before the type is looked at stays made and logged.
    EXPECT_FALSE(handler->process("x," + folder.path() + "\\New\\Link,%AppDir%\\app.exe"));

    EXPECT_TRUE(fileExists(folder / "Shell.lnk"));
    EXPECT_FALSE(fileExists(folder / "Upper.lnk"));
    EXPECT_FALSE(fileExists(folder / "Upper.url"));
    EXPECT_TRUE(directoryExists(folder / "New"));
    EXPECT_EQ(errors.messages(),
              (Texts{"Unknown link type:S", "Unknown link type:", "Unknown link type:x"}));
    EXPECT_EQ(log.entries("APPFOLDERS"), Texts{folder / "New"});
    EXPECT_EQ(log.entries("APPFILES"), (Texts{folder / "setup.log", folder / "Shell.lnk"}));
}

TEST_F(ShortcutRecordTest, MakesInternetShortcutsWithEitherLetter) {
    EXPECT_TRUE(handler->process("i," + folder.path() + "\\Site,http://example.com/a,b"));
    EXPECT_TRUE(handler->process("w," + folder.path() + "\\Web\\Site,http://example.com/a,b"));
    EXPECT_TRUE(handler->process("i," + folder.path() + "\\Bare,www.example.com"));
    EXPECT_TRUE(handler->process("i," + folder.path() + "\\Unexpanded,http://x/%AppDir%"));

    EXPECT_EQ(urlOf(folder / "Site.url"), "http://example.com/a");
    EXPECT_EQ(readFile(folder / "Web\\Site.url"), readFile(folder / "Site.url"));
    // The default protocol is the shell's business: Windows writes
    // "http://www.example.com/", Wine keeps the text as given.
    const std::string bare = urlOf(folder / "Bare.url");
    EXPECT_TRUE(bare == "http://www.example.com/" || bare == "www.example.com") << bare;
    EXPECT_EQ(urlOf(folder / "Unexpanded.url"), "http://x/%AppDir%");
    EXPECT_EQ(log.entries("APPFOLDERS"), Texts{folder / "Web"});
    EXPECT_EQ(log.entries("APPFILES"),
              (Texts{folder / "setup.log", folder / "Site.url", folder / "Web\\Site.url",
                     folder / "Bare.url", folder / "Unexpanded.url"}));
    EXPECT_TRUE(errors.messages().empty());
}

TEST_F(ShortcutRecordTest, AnEmptyLinkPathIsReported) {
    EXPECT_FALSE(handler->process("s,,%AppDir%\\app.exe"));
    EXPECT_FALSE(handler->process("i,%Empty%,http://example.com/"));
    EXPECT_FALSE(handler->process("s"));
    EXPECT_FALSE(handler->process(""));
    EXPECT_EQ(errors.messages(), Texts(4, "bad format Shortcut record:link path is empty"));
    EXPECT_EQ(log.entries("APPFILES"), Texts{folder / "setup.log"});
}

TEST_F(ShortcutRecordTest, ADirectoryThatCannotBeMadeGivesTwoMessages) {
    std::ofstream(folder / "file") << "not a folder";
    const std::string directory = folder / "file\\sub";
    EXPECT_FALSE(handler->process("s," + directory + "\\Link,%AppDir%\\app.exe"));
    const std::string noDrive = "Q:\\Nowhere";
    EXPECT_FALSE(handler->process("i," + noDrive + "\\Site,http://example.com/"));
    EXPECT_EQ(errors.messages(), (Texts{"can't make dir for shortcut:" + directory,
                                        "can't save shortcut:" + directory + "\\Link.lnk",
                                        "can't make dir for shortcut:" + noDrive,
                                        "can't save shortcut:" + noDrive + "\\Site.url"}));
    EXPECT_TRUE(log.entries("APPFOLDERS").empty());
    EXPECT_EQ(log.entries("APPFILES"), Texts{folder / "setup.log"});
}

TEST_F(ShortcutRecordTest, NamesWithoutFolderOrWithoutNameAreSavedAsGiven) {
    // No backslash: no folder, the link lands in the current directory (the
    // test's own; Wine keeps a folder that a link was saved into by a relative
    // name busy, so the scratch folder is not used for this).
    const std::string bare = uniqueName("Bare");
    EXPECT_TRUE(handler->process("s," + bare + ",%AppDir%\\app.exe"));
    EXPECT_TRUE(fileExists(bare + ".lnk"));
    DeleteFileA((bare + ".lnk").c_str());

    // A trailing backslash leaves an empty name: the file is ".lnk".
    EXPECT_TRUE(handler->process("s," + folder.path() + "\\Dir\\,%AppDir%\\app.exe"));
    EXPECT_TRUE(fileExists(folder / "Dir\\.lnk"));

    EXPECT_EQ(log.entries("APPFOLDERS"), Texts{folder / "Dir"});
    EXPECT_EQ(log.entries("APPFILES"),
              (Texts{folder / "setup.log", bare + ".lnk", folder / "Dir\\.lnk"}));
}

TEST_F(ShortcutRecordTest, ALinkWithoutTargetIsSavedOrReportedNeverBoth) {
    const std::string path = folder / "NoTarget";
    const bool saved = handler->process("s," + path);
    EXPECT_EQ(fileExists(path + ".lnk"), saved);
    if (saved) {
        EXPECT_TRUE(errors.messages().empty());
        EXPECT_EQ(log.entries("APPFILES").back(), path + ".lnk");
    } else {
        EXPECT_EQ(errors.messages(), Texts{"can't save shortcut:" + path + ".lnk"});
    }
}

TEST_F(ShortcutRecordTest, PathsBeyondTheLimitAreRefused) {
    // The whole file path must fit 260 characters with its terminator.
    const std::string base = folder.path() + "\\";
    const std::string fits = base + std::string(MAX_PATH - 1 - 4 - base.size(), 'n');
    const std::string tooLong = fits + "m";
    EXPECT_TRUE(handler->process("s," + fits + ",%AppDir%\\app.exe"));
    EXPECT_TRUE(fileExists(fits + ".lnk"));
    EXPECT_FALSE(handler->process("s," + tooLong + ",%AppDir%\\app.exe"));
    EXPECT_FALSE(fileExists(tooLong + ".lnk"));

    // A directory beyond the limit is not made, and the link is refused too.
    const std::string deep = base + std::string(150, 'a') + "\\" + std::string(150, 'b');
    EXPECT_FALSE(handler->process("i," + deep + "\\Site,http://example.com/"));
    EXPECT_FALSE(directoryExists(base + std::string(150, 'a')));

    EXPECT_EQ(errors.messages(), (Texts{"can't save shortcut:" + tooLong + ".lnk",
                                        "can't make dir for shortcut:" + deep,
                                        "can't save shortcut:" + deep + "\\Site.url"}));
    EXPECT_TRUE(log.entries("APPFOLDERS").empty());
    EXPECT_EQ(log.entries("APPFILES"), (Texts{folder / "setup.log", fits + ".lnk"}));
}

// Hostile records end in a result and a message each, never in a crash, a
// stray file or a folder made on the way.
TEST_F(ShortcutRecordTest, AnyBytesInARecordAreHandled) {
    std::string noise;
    for (int byte = 1; byte < 256; ++byte)
        noise += static_cast<char>(byte);
    // The first field of the noise ends at its comma: bytes 1 to 43.
    const std::string noiseName = noise.substr(0, noise.find(','));
    const std::string backslashes(5000, '\\');
    const std::string longName(100000, 'x');

    // Any bytes as target and arguments: the link is made all the same.
    EXPECT_TRUE(handler->process("s," + folder.path() + "\\Noise," + noise));
    // Control characters in the name: the shell refuses to save.
    EXPECT_FALSE(handler->process("i," + noise));
    // A folder far too long to make, and then a path too long to save.
    EXPECT_FALSE(handler->process("s," + backslashes));
    EXPECT_FALSE(handler->process("w," + longName + ",http://example.com/"));

    EXPECT_EQ(errors.messages(), (Texts{"can't save shortcut:" + noiseName + ".url",
                                        "can't make dir for shortcut:" + backslashes.substr(1),
                                        "can't save shortcut:" + backslashes + ".lnk",
                                        "can't save shortcut:" + longName + ".url"}));
    EXPECT_TRUE(log.entries("APPFOLDERS").empty());
    EXPECT_EQ(log.entries("APPFILES"), (Texts{folder / "setup.log", folder / "Noise.lnk"}));
    EXPECT_TRUE(fileExists(folder / "Noise.lnk"));
}

} // namespace
