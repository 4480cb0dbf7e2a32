// Drives the sample package's setup.exe through every page as a person would,
// saving a picture of the screen at each step, and afterwards lists the
// shortcuts the installation made.
//
//   demo_driver install <package folder> <picture folder> <target folder>
//   demo_driver shortcuts
//
// `install` starts setup.exe in the package folder and ends with 0 when the
// whole run went through and setup ended normally. Page captions come from
// the package's own language files, expanded with its GENERAL_INFO values, so
// the driver finds the pages the way the package names them.
#include "setup/config/text/IniDocument.h"
#include "setup/config/text/VariableTable.h"
#include "setup/records/helpers/ComInitialization.h"
#include "setup/records/helpers/ComPointer.h"
#include "setup/wizard/resources/Resources.h"
#include "tests/support/Bitmaps.h"
#include "tests/support/DialogDriver.h"

#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

using testing_support::clickButton;
using testing_support::pressButton;
using testing_support::saveScreenshot;
using testing_support::waitForWindow;
using testing_support::waitUntilGone;

namespace {

constexpr DWORD kPageTimeoutMs = 30000;
constexpr DWORD kInstallTimeoutMs = 180000;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The texts of one language file, with the product's variables for %Name%.
class Language {
public:
    Language(const std::string& package, const std::string& name, VariableTable& variables)
        : document_(readFile(package + "\\" + name + ".dat")), variables_(variables) {}

    std::string text(const char* section, const char* key) const {
        std::string value = document_.getString(section, key, "");
        variables_.expand(value);
        return value;
    }
    std::string title(const char* section) const { return text(section, "Dialog_Title"); }

private:
    IniDocument document_;
    VariableTable& variables_;
};

// What went wrong, for the one line the driver prints before it gives up.
struct DemoFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Demo {
public:
    Demo(std::string package, std::string pictures, std::string target)
        : package_(std::move(package)), pictures_(std::move(pictures)),
          target_(std::move(target)) {
        const IniDocument setup(readFile(package_ + "\\Setup.ini"));
        for (const char* key : {"ProductName", "CompanyName", "ProductVersion",
                                "ProductDescription", "ProductURL"})
            variables_.set(key, setup.getString("GENERAL_INFO", key, ""));
        english_ = std::make_unique<Language>(package_, "English", variables_);
        second_ = std::make_unique<Language>(package_, "Deutsch", variables_);
    }

    ~Demo() {
        if (process_.hProcess != nullptr) {
            if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
                TerminateProcess(process_.hProcess, 1);
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
    }

    void run() {
        startSetup();

        HWND splash = waitForWindow("ZuSetupSplash", nullptr, kPageTimeoutMs);
        if (splash != nullptr) {
            savePicture("splash");
            waitUntilGone(splash, kPageTimeoutMs);
        }

        // The second language and back: the welcome page speaks it.
        HWND page = showPage(english_->title("LANGUAGE_DIALOG"), "language");
        chooseLanguage(page, 1);
        page = showPage(second_->title("WELCOME_DIALOG"), "welcome-deutsch");
        pressButton(page, IDC_BACK);
        page = showPage(english_->title("LANGUAGE_DIALOG"), "language-again");
        chooseLanguage(page, 0);
        page = showPage(english_->title("WELCOME_DIALOG"), "welcome");
        pressButton(page, IDC_NEXT);

        // The licence, read to its end and accepted.
        page = waitForPage(english_->title("LICENSE_DIALOG"));
        SendDlgItemMessageA(page, IDC_EDIT, WM_VSCROLL, SB_BOTTOM, 0);
        savePicture("licence");
        pressButton(page, IDC_LICENSE_YES);

        page = showPage(english_->title("README_DIALOG"), "readme");
        pressButton(page, IDC_NEXT);

        page = waitForPage(english_->title("USER_INFO_DIALOG"));
        SetDlgItemTextA(page, IDC_EDIT, "Alex Morgan");
        SetDlgItemTextA(page, IDC_EDIT2, "Harbour Accounting");
        SetDlgItemTextA(page, IDC_EDIT3, "VNT-2024-0417");
        savePicture("user-info");
        pressButton(page, IDC_NEXT);

        page = waitForPage(english_->title("TARGET_DIRECTORY_DIALOG"));
        std::printf("target page: proposed %s\n", itemText(page, IDC_EDIT).c_str());
        SetDlgItemTextA(page, IDC_EDIT, target_.c_str());
        Sleep(300);
        std::printf("target page: chosen %s, required %s, free %s\n",
                    itemText(page, IDC_EDIT).c_str(), itemText(page, IDC_REQUIRED_SPACE).c_str(),
                    itemText(page, IDC_FREE_SPACE).c_str());
        if (!IsWindowEnabled(GetDlgItem(page, IDC_NEXT)))
            throw DemoFailure("Next is disabled on the target directory page");
        savePicture("target-directory");
        pressButton(page, IDC_NEXT);

        page = waitForPage(english_->title("PROGRAM_GROUP_DIALOG"));
        std::printf("program group: %s (kept)\n", itemText(page, IDC_EDIT).c_str());
        savePicture("program-group");
        pressButton(page, IDC_NEXT);

        // A desktop icon, none in the Quick Launch toolbar.
        page = waitForPage(english_->title("PROGRAM_ICON_OPTIONS_DIALOG"));
        clickButton(page, IDC_DESKTOP_YES);
        clickButton(page, IDC_QUICK_LAUNCH_NO);
        savePicture("icon-options");
        pressButton(page, IDC_NEXT);

        page = waitForPage(english_->title("START_DIALOG"));
        std::printf("start summary:\n%s\n", itemText(page, IDC_EDIT).c_str());
        savePicture("start");
        pressButton(page, IDC_NEXT);

        page = waitForPage(english_->title("PROCESS_DIALOG"));
        savePicture("progress");
        if (!waitUntilGone(page, kInstallTimeoutMs))
            throw DemoFailure("the installation did not end");

        page = waitForPage(english_->title("FINISH_DIALOG"));
        tick(page, IDC_CHECK_README);
        tick(page, IDC_CHECK_APPLICATION);
        savePicture("finish");
        pressButton(page, IDC_FINISH);

        // The readme opens in the viewer; when it closes, the product starts.
        HWND viewer = waitForWindow("Notepad", nullptr, kPageTimeoutMs);
        if (viewer == nullptr)
            throw DemoFailure("the readme viewer did not open");
        Sleep(500);
        savePicture("readme-viewer");
        PostMessageA(viewer, WM_CLOSE, 0, 0);
        watchProduct();

        const DWORD code = waitForSetup();
        std::printf("setup.exe ended with exit code %lu\n", code);
        if (code != 0)
            throw DemoFailure("setup.exe ended with exit code " + std::to_string(code));
    }

    void pictureOfFailure() { savePicture("failure"); }

private:
    void startSetup() {
        std::string commandLine = "\"" + package_ + "\\setup.exe\"";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                            package_.c_str(), &startup, &process_))
            throw DemoFailure("cannot start " + commandLine);
        std::printf("started %s\n", commandLine.c_str());
    }

    HWND waitForPage(const std::string& caption) {
        HWND page = waitForWindow("#32770", caption.c_str(), kPageTimeoutMs);
        if (page == nullptr)
            throw DemoFailure("the page \"" + caption + "\" did not appear");
        std::printf("page: %s\n", caption.c_str());
        Sleep(400); // let it paint before the picture
        return page;
    }

    HWND showPage(const std::string& caption, const char* name) {
        HWND page = waitForPage(caption);
        savePicture(name);
        return page;
    }

    void chooseLanguage(HWND page, int index) {
        HWND list = GetDlgItem(page, IDC_LIST);
        if (SendMessageA(list, LB_GETCOUNT, 0, 0) <= index)
            throw DemoFailure("the language list is too short");
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        Sleep(200);
        pressButton(page, IDC_NEXT);
    }

    void tick(HWND page, int id) {
        HWND box = GetDlgItem(page, id);
        if (box == nullptr || !IsWindowVisible(box))
            throw DemoFailure("the finish page has no check box " + std::to_string(id));
        if (SendMessageA(box, BM_GETCHECK, 0, 0) != BST_CHECKED)
            clickButton(page, id);
    }

    // The product's launcher: its splash, then its own report (no spreadsheet
    // application exists under Wine), which the driver closes.
    void watchProduct() {
        HWND report = waitForWindow("#32770", "Vantra", kPageTimeoutMs);
        if (report == nullptr)
            throw DemoFailure("vantra.exe did not start");
        Sleep(300);
        savePicture("vantra");
        clickButton(report, IDOK);
    }

    DWORD waitForSetup() {
        if (WaitForSingleObject(process_.hProcess, kPageTimeoutMs) != WAIT_OBJECT_0)
            throw DemoFailure("setup.exe did not end");
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }

    std::string itemText(HWND page, int id) {
        char text[2048] = {};
        GetDlgItemTextA(page, id, text, sizeof text);
        return text;
    }

    void savePicture(const char* name) {
        char file[MAX_PATH];
        std::snprintf(file, sizeof file, "%s\\%02d-%s.bmp", pictures_.c_str(), ++pictureCount_,
                      name);
        if (!saveScreenshot(file))
            throw DemoFailure(std::string("cannot save ") + file);
    }

    std::string package_;
    std::string pictures_;
    std::string target_;
    VariableTable variables_;
    std::unique_ptr<Language> english_;
    std::unique_ptr<Language> second_;
    PROCESS_INFORMATION process_ = {};
    int pictureCount_ = 0;
};

std::string specialFolder(int folder) {
    char path[MAX_PATH] = {};
    SHGetSpecialFolderPathA(nullptr, path, folder, FALSE);
    return path;
}

// Every .lnk and .url below the folder, with what it points at.
void listShortcuts(IShellLinkA* link, IPersistFile* file, const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = found.cFileName;
        const std::string path = folder + "\\" + name;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            listShortcuts(link, file, path);
        } else if (name.size() > 4 && lstrcmpiA(name.c_str() + name.size() - 4, ".lnk") == 0) {
            wchar_t wide[MAX_PATH];
            MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
            char target[MAX_PATH] = {}, arguments[MAX_PATH] = {}, directory[MAX_PATH] = {};
            if (SUCCEEDED(file->Load(wide, STGM_READ))) {
                link->GetPath(target, MAX_PATH, nullptr, 0);
                link->GetArguments(arguments, MAX_PATH);
                link->GetWorkingDirectory(directory, MAX_PATH);
            }
            std::printf("%s\n    -> %s%s%s  (in %s)\n", path.c_str(), target,
                        arguments[0] ? " " : "", arguments, directory);
        } else if (name.size() > 4 && lstrcmpiA(name.c_str() + name.size() - 4, ".url") == 0) {
            char url[1024] = {};
            GetPrivateProfileStringA("InternetShortcut", "URL", "", url, sizeof url, path.c_str());
            std::printf("%s\n    -> %s\n", path.c_str(), url);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

int shortcuts() {
    const ComInitialization com;
    ComPointer<IShellLinkA> link;
    ComPointer<IPersistFile> file;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.receive())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, file.receive()))) {
        std::printf("cannot create a shell link object\n");
        return 1;
    }
    const std::string folders[] = {
        specialFolder(CSIDL_PROGRAMS), specialFolder(CSIDL_DESKTOPDIRECTORY),
        specialFolder(CSIDL_APPDATA) + "\\Microsoft\\Internet Explorer\\Quick Launch"};
    for (const std::string& folder : folders) {
        std::printf("[%s]\n", folder.c_str());
        listShortcuts(link.get(), file.get(), folder);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "shortcuts")
        return shortcuts();
    if (command != "install" || argc != 5) {
        std::fprintf(stderr, "usage: demo_driver install <package> <pictures> <target>\n"
                             "       demo_driver shortcuts\n");
        return 2;
    }
    try {
        Demo demo(argv[2], argv[3], argv[4]);
        try {
            demo.run();
        } catch (const std::exception&) {
            demo.pictureOfFailure();
            throw;
        }
    } catch (const std::exception& failure) {
        std::printf("demo driver: %s\n", failure.what());
        return 1;
    }
    return 0;
}
