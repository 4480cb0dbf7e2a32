// Runs the real vantra.exe as a process, copied into a work folder of its own,
// against the spreadsheet stand-in (an in-process automation server)
// registered as "Excel.Application" in the Wine prefix, and watches it the way
// a person would: the splash, the error box, the exit code and what the
// spreadsheet application was asked to do.

#include "tests/support/Bitmaps.h"
#include "tests/support/DialogDriver.h"
#include "tests/vantra/StandIn.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <shlwapi.h>

#include <functional>
#include <memory>
#include <fstream>
#include <string>
#include <vector>

namespace {

using testing_support::clickButton;
using testing_support::staticTexts;
using testing_support::waitForWindow;

std::string directoryOf(const std::string& path) {
    return path.substr(0, path.rfind('\\'));
}

// The folder of the test programs; vantra.exe is built one level up.
std::string testsFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return directoryOf(path);
}

std::vector<std::string> readLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string joined(const std::string& directory, const std::string& name) {
    return directory.back() == '\\' ? directory + name : directory + "\\" + name;
}

// A folder holding a fresh copy of vantra.exe and, when asked, a vantra.xls:
// `vantra_work\<name>` beside the tests unless a whole path is given. The
// files are removed at the end.
struct WorkFolder {
    std::string path;
    std::string launcher;
    std::string workbook;
    std::string record;

    WorkFolder(const std::string& name, bool withWorkbook, const std::string& wholePath = "") {
        const std::string parent = testsFolder() + "\\vantra_work";
        CreateDirectoryA(parent.c_str(), nullptr);
        path = wholePath.empty() ? parent + "\\" + name : wholePath;
        launcher = joined(path, "vantra.exe");
        workbook = joined(path, "vantra.xls");
        record = joined(path, "calls.txt");
        CreateDirectoryA(path.c_str(), nullptr);
        removeFiles();
        EXPECT_TRUE(CopyFileA((directoryOf(testsFolder()) + "\\vantra.exe").c_str(),
                              launcher.c_str(), FALSE));
        if (withWorkbook)
            std::ofstream(workbook, std::ios::binary) << "stand-in workbook";
    }
    ~WorkFolder() { removeFiles(); }
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    // What the stand-in recorded.
    std::vector<std::string> calls() const { return readLines(record); }

private:
    void removeFiles() const {
        for (const std::string* file : {&launcher, &workbook, &record})
            DeleteFileA(file->c_str());
    }
};

void removeRegistration() {
    SHDeleteKeyA(HKEY_CLASSES_ROOT, "Excel.Application");
    SHDeleteKeyA(HKEY_CLASSES_ROOT, "CLSID\\" STAND_IN_CLSID);
}

// Sets the text value `name` (null: the default value) of the key, creating the key.
bool setText(const std::string& key, const char* name, const std::string& value) {
    HKEY opened = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &opened,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const LONG result =
        RegSetValueExA(opened, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
    RegCloseKey(opened);
    return result == ERROR_SUCCESS;
}

// Registers `server` as the in-process server of "Excel.Application",
// recording to `record`; removes the registration when it ends.
class Registration {
public:
    Registration(const std::string& server, const std::string& record) {
        removeRegistration();
        const std::string classKey = "CLSID\\" STAND_IN_CLSID;
        EXPECT_TRUE(setText("Excel.Application\\CLSID", nullptr, STAND_IN_CLSID));
        EXPECT_TRUE(setText(classKey, "RecordFile", record));
        EXPECT_TRUE(setText(classKey + "\\InprocServer32", nullptr, server));
        EXPECT_TRUE(setText(classKey + "\\InprocServer32", "ThreadingModel", "Apartment"));
    }
    ~Registration() { removeRegistration(); }
    Registration(const Registration&) = delete;
    Registration& operator=(const Registration&) = delete;
};

std::string standInServer() {
    return testsFolder() + "\\spreadsheet_stand_in.dll";
}

ULONGLONG milliseconds(const FILETIME& time) {
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32 | time.dwLowDateTime) / 10000;
}

// What the run of the launcher showed and ended with.
struct LauncherRun {
    bool splashSeen = false;
    bool boxSeen = false;
    bool runningWhileBoxShown = false;
    std::vector<std::string> boxTexts;
    ULONGLONG boxAfterMs = 0; // from the start of the process to the box
    ULONGLONG lifetimeMs = 0; // from the start of the process to its end
    DWORD exitCode = STILL_ACTIVE;
};

// Starts the launcher from another current folder than its own, hands the
// splash to `whileSplash`, and when `expectBox` reads and closes the error box
// "Vantra" as a person would.
LauncherRun runLauncher(const WorkFolder& folder, bool expectBox,
                        const std::function<void(HWND)>& whileSplash = nullptr) {
    LauncherRun run;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + folder.launcher + "\"";
    if (!CreateProcessA(folder.launcher.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                        nullptr, testsFolder().c_str(), &startup, &process)) {
        ADD_FAILURE() << "CreateProcess failed: " << GetLastError();
        return run;
    }
    HWND splash = waitForWindow("VantraForm", "Form1", 5000);
    run.splashSeen = splash != nullptr;
    if (splash != nullptr && whileSplash)
        whileSplash(splash);

    if (expectBox) {
        HWND box = waitForWindow("#32770", "Vantra", 20000);
        run.boxSeen = box != nullptr;
        if (box != nullptr) {
            FILETIME created, exited, kernel, user, now;
            GetProcessTimes(process.hProcess, &created, &exited, &kernel, &user);
            GetSystemTimeAsFileTime(&now);
            run.boxAfterMs = milliseconds(now) - milliseconds(created);
            run.boxTexts = staticTexts(box);
            run.runningWhileBoxShown = WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT;
            clickButton(box, IDOK);
        }
    }
    if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "the launcher did not end";
        TerminateProcess(process.hProcess, 99);
        WaitForSingleObject(process.hProcess, 5000);
    }
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    FILETIME created, exited, kernel, user;
    GetProcessTimes(process.hProcess, &created, &exited, &kernel, &user);
    run.lifetimeMs = milliseconds(exited) - milliseconds(created);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return run;
}

std::string boxText(const LauncherRun& run) {
    return run.boxTexts.empty() ? std::string() : run.boxTexts.back();
}

// The form as it stands on the screen: borderless, centred, outside the task
// bar, with a client area of 312 x 234.
void checkSplash(HWND splash) {
    RECT window, client;
    GetWindowRect(splash, &window);
    GetClientRect(splash, &client);
    EXPECT_EQ(client.right - client.left, 312);
    EXPECT_EQ(client.bottom - client.top, 234);
    EXPECT_EQ(window.left, (GetSystemMetrics(SM_CXSCREEN) - 312) / 2);
    EXPECT_EQ(window.top, (GetSystemMetrics(SM_CYSCREEN) - 234) / 2);
    EXPECT_EQ(window.right - window.left, 312);
    EXPECT_EQ(window.bottom - window.top, 234);

    const LONG_PTR style = GetWindowLongPtrA(splash, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrA(splash, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style &
                 (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(exStyle & (WS_EX_APPWINDOW | WS_EX_DLGMODALFRAME | WS_EX_CLIENTEDGE));

    // Let it paint, then keep a picture of the screen in the build tree.
    Sleep(300);
    EXPECT_TRUE(testing_support::saveScreenshot(testsFolder() + "\\vantra_splash.bmp"));
}

TEST(Launcher, OpensTheWorkbookBesideItAndMakesTheApplicationVisible) {
    const struct {
        const char* name;
        const char* wholePath;
        bool lookAtSplash;
    } cases[] = {
        {"opens", "", true},
        // At a drive root the workbook is the root's "C:\vantra.xls".
        {"drive_root", "C:\\", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WorkFolder folder(c.name, true, c.wholePath);
        Registration registration(standInServer(), folder.record);

        const LauncherRun run = runLauncher(folder, false, c.lookAtSplash ? checkSplash : nullptr);
        EXPECT_TRUE(run.splashSeen);
        EXPECT_EQ(run.exitCode, 0u);
        EXPECT_GE(run.lifetimeMs, 950u);
        EXPECT_LT(run.lifetimeMs, 15000u);

        const std::vector<std::string> expected = {"Workbooks", "Open " + folder.workbook,
                                                   "Visible true", "Released"};
        EXPECT_EQ(folder.calls(), expected);
    }
}

TEST(Launcher, ReportsAWorkbookThatCannotBeOpenedAndNeverShowsTheApplication) {
    WorkFolder folder("no_workbook", false);
    Registration registration(standInServer(), folder.record);

    const LauncherRun run = runLauncher(folder, true);
    ASSERT_TRUE(run.boxSeen);
    EXPECT_TRUE(run.runningWhileBoxShown);
    EXPECT_GE(run.boxAfterMs, 950u);
    const std::string text = boxText(run);
    EXPECT_NE(text.find("Could not open the workbook \"" + folder.workbook + "\"."),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("Error 0x800A03EC: The workbook could not be found."), std::string::npos)
        << text;
    EXPECT_EQ(run.exitCode, 1u);

    const std::vector<std::string> expected = {"Workbooks", "Open " + folder.workbook, "Released"};
    EXPECT_EQ(folder.calls(), expected);
}

TEST(Launcher, ReportsASpreadsheetApplicationThatCannotBeStarted) {
    const struct {
        const char* name;
        bool registered;  // registered, but its program is missing
        const char* code; // the expected code, when the platform fixes it
    } cases[] = {
        {"not_registered", false, "Error 0x800401F3: Invalid class string"},
        {"server_missing", true, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WorkFolder folder(c.name, true);
        removeRegistration();
        std::unique_ptr<Registration> registration;
        if (c.registered)
            registration.reset(new Registration(folder.path + "\\missing.dll", folder.record));

        const LauncherRun run = runLauncher(folder, true);
        ASSERT_TRUE(run.boxSeen);
        EXPECT_TRUE(run.runningWhileBoxShown);
        EXPECT_GE(run.boxAfterMs, 950u);
        const std::string text = boxText(run);
        EXPECT_EQ(text.rfind("Could not start the spreadsheet application (Excel.Application).", 0),
                  0u)
            << text;
        EXPECT_NE(text.find("Error 0x"), std::string::npos) << text;
        if (c.code != nullptr) {
            EXPECT_NE(text.find(c.code), std::string::npos) << text;
        }
        EXPECT_EQ(run.exitCode, 1u);
        EXPECT_EQ(GetFileAttributesA(folder.record.c_str()), INVALID_FILE_ATTRIBUTES);
    }
}

TEST(LauncherResources, CarryTheVersionRecordTheIconAndTheSplashPicture) {
    const std::string launcher = directoryOf(testsFolder()) + "\\vantra.exe";
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(launcher.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> version(size);
    ASSERT_TRUE(GetFileVersionInfoA(launcher.c_str(), 0, size, version.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(version.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(version.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0804);
    EXPECT_EQ(translation[1], 0x04B0);

    const struct {
        const char* name;
        const char* value;
    } strings[] = {
        {"ProductName", "Vantra"},          {"FileVersion", "1.00"},
        {"ProductVersion", "1.00"},         {"InternalName", "Vantra"},
        {"OriginalFilename", "Vantra.exe"},
    };
    for (const auto& s : strings) {
        char* value = nullptr;
        const std::string key = std::string("\\StringFileInfo\\080404B0\\") + s.name;
        ASSERT_TRUE(
            VerQueryValueA(version.data(), key.c_str(), reinterpret_cast<void**>(&value), &length))
            << s.name;
        EXPECT_STREQ(value, s.value);
    }

    HMODULE module = LoadLibraryExA(launcher.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    HICON icon = static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(1), IMAGE_ICON, 32, 32, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO iconInfo = {};
    ASSERT_TRUE(GetIconInfo(icon, &iconInfo));
    BITMAP mask = {};
    GetObjectA(iconInfo.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, 32);
    DeleteObject(iconInfo.hbmMask);
    DeleteObject(iconInfo.hbmColor);
    DestroyIcon(icon);

    HBITMAP picture = static_cast<HBITMAP>(
        LoadImageA(module, MAKEINTRESOURCEA(101), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(picture, nullptr);
    DIBSECTION section = {};
    ASSERT_EQ(GetObjectA(picture, sizeof section, &section), static_cast<int>(sizeof section));
    EXPECT_EQ(section.dsBm.bmWidth, 320);
    EXPECT_EQ(section.dsBm.bmHeight, 240);
    EXPECT_EQ(section.dsBmih.biBitCount, 8);
    DeleteObject(picture);
    FreeLibrary(module);
}

} // namespace
