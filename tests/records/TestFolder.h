#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A fresh folder under the temporary folder for one test, removed with the
// files written through it.
class TestFolder {
public:
    TestFolder() {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        static int serial = 0;
        path_ = std::string(temp) + "records-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(++serial);
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~TestFolder() {
        for (const std::string& file : files_)
            DeleteFileA(file.c_str());
        RemoveDirectoryA(path_.c_str());
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::string& path() const { return path_; }

    // Writes `bytes` to the file `name` in the folder; returns its full path.
    std::string write(const std::string& name, const std::string& bytes) {
        const std::string file = path_ + "\\" + name;
        HANDLE handle = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(handle);
        files_.push_back(file);
        return file;
    }

    // Registers a file made elsewhere so that it is removed too.
    void adopt(const std::string& file) { files_.push_back(file); }

private:
    std::string path_;
    std::vector<std::string> files_;
};
