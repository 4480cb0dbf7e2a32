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

WorkFolder::WorkFolder() {
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof temp, temp);
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = test ? std::string(test->test_suite_name()) + "_" + test->name() : "work";
    for (char& c : name)
        if (c == '/')
            c = '_';
    path_ = std::string(temp) + "install_" + name + "_" + std::to_string(GetCurrentProcessId());
    removeTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
}

WorkFolder::~WorkFolder() {
    removeTree(path_);
}

void removeTree(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    SetFileAttributesA(path.c_str(),
                       FILE_ATTRIBUTE_NORMAL | (attributes & FILE_ATTRIBUTE_DIRECTORY));
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileA(path.c_str());
        return;
    }
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name != "." && name != "..")
                removeTree(path + "\\" + name);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

bool writeFile(const std::string& path, const std::string& bytes) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok =
        bytes.empty() ||
        (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size());
    CloseHandle(file);
    return ok;
}

std::string readFile(const std::string& path) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD got = 0;
    if (!bytes.empty())
        ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr);
    bytes.resize(got);
    CloseHandle(file);
    return bytes;
}

bool fileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string programDirectory() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string text = path;
    return text.substr(0, text.rfind('\\'));
}

std::string readBesideProgram(const std::string& name) {
    return readFile(programDirectory() + "\\" + name);
}

long runProcess(const std::string& commandLine, DWORD timeoutMs) {
    std::string line = commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return -1;
    long result = -1;
    DWORD code = 0;
    if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0 &&
        GetExitCodeProcess(process.hProcess, &code))
        result = static_cast<long>(code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
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
