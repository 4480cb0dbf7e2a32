#include "tests/install/InstallTestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace install_tests {

namespace {

bool readVariable(const char* name, std::string& value) {
    char buffer[MAX_PATH * 2] = {};
    const DWORD length = GetEnvironmentVariableA(name, buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer)
        return false;
    value.assign(buffer, length);
    return true;
}

} // namespace

std::string readBesideProgram(const std::string& name) {
    return readFile(programDirectory() + "\\" + name);
}

bool readFileTimes(const std::string& path, FileTimes& times) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool ok = GetFileTime(file, &times.creation, &times.lastAccess, &times.lastWrite);
    CloseHandle(file);
    return ok;
}

bool setLastWriteTime(const std::string& path, const FILETIME& time) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool ok = SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
    return ok;
}

FILETIME dosTimeAsUtc(std::uint32_t dosDateTime) {
    FILETIME local = {}, universal = {};
    DosDateTimeToFileTime(HIWORD(dosDateTime), LOWORD(dosDateTime), &local);
    LocalFileTimeToFileTime(&local, &universal);
    return universal;
}

bool sameTime(const FILETIME& a, const FILETIME& b) {
    return CompareFileTime(&a, &b) == 0;
}

HiddenWindow::HiddenWindow(const char* className) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    window_ = CreateWindowA(className, "", WS_POPUP, 0, 0, 200, 20, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
}

HiddenWindow::~HiddenWindow() {
    if (window_ != nullptr)
        DestroyWindow(window_);
}

std::string HiddenWindow::text() const {
    char buffer[1024] = {};
    GetWindowTextA(window_, buffer, sizeof buffer);
    return buffer;
}

PageWindow::PageWindow() {
    static const char* const className = "InstallTestPage";
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = className;
        registered = RegisterClassA(&windowClass) != 0;
    }
    window_ = CreateWindowA(className, "", WS_POPUP | WS_VISIBLE, 0, 0, 1, 1, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&commands_));
}

PageWindow::~PageWindow() {
    DestroyWindow(window_);
}

LRESULT CALLBACK PageWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        auto* commands = reinterpret_cast<std::vector<std::pair<WPARAM, LPARAM>>*>(
            GetWindowLongPtrA(window, GWLP_USERDATA));
        if (commands != nullptr)
            commands->emplace_back(wParam, lParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TemporaryDirectory::TemporaryDirectory(const std::string& folder) : folder_(folder) {
    CreateDirectoryA(folder.c_str(), nullptr);
    hadTmp_ = readVariable("TMP", oldTmp_);
    hadTemp_ = readVariable("TEMP", oldTemp_);
    SetEnvironmentVariableA("TMP", folder.c_str());
    SetEnvironmentVariableA("TEMP", folder.c_str());
}

TemporaryDirectory::~TemporaryDirectory() {
    SetEnvironmentVariableA("TMP", hadTmp_ ? oldTmp_.c_str() : nullptr);
    SetEnvironmentVariableA("TEMP", hadTemp_ ? oldTemp_.c_str() : nullptr);
}

int TemporaryDirectory::fileCount() const {
    int count = 0;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder_ + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ++count;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

} // namespace install_tests
