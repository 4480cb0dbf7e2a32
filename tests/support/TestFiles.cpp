#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace testing_support {

ScratchFolder::ScratchFolder(const std::string& label) {
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof temp, temp);
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = test ? std::string(test->test_suite_name()) + "_" + test->name() : "test";
    if (!label.empty())
        name += "_" + label;
    for (char& c : name)
        if (c == '/')
            c = '_';
    path_ = std::string(temp) + name + "_" + std::to_string(GetCurrentProcessId());
    removeTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
    removeTree(path_);
}

std::string ScratchFolder::write(const std::string& name, const std::string& bytes) const {
    const std::string path = file(name);
    writeFile(path, bytes);
    return path;
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
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool directoryExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string programDirectory() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string text = path;
    return text.substr(0, text.rfind('\\'));
}

std::string uniqueName(const std::string& prefix) {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return prefix + "." + (test ? test->name() : "test") + "." +
           std::to_string(GetCurrentProcessId());
}

bool writeTextFile(const std::string& path, const std::string& text) {
    std::string bytes;
    for (char c : text) {
        if (c == '\n')
            bytes += '\r';
        bytes += c;
    }
    return writeFile(path, bytes);
}

} // namespace testing_support
