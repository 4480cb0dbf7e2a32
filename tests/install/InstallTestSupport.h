#pragma once

// Folders, files, windows and time stamps for the tests of file installation.

#include <windows.h>

#include <cstdint>
#include <string>

namespace install_tests {

// A fresh folder under the temporary directory, named after the running test
// and the process, so that tests running side by side never share one. It is
// removed with everything in it on destruction.
class WorkFolder {
public:
    WorkFolder();
    ~WorkFolder();
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// Removes a file or a directory tree, read-only files included.
void removeTree(const std::string& path);

bool writeFile(const std::string& path, const std::string& bytes);
// The whole file; "<missing>" when it cannot be opened.
std::string readFile(const std::string& path);
bool fileExists(const std::string& path);
// The bytes of a file beside the test program (a fixture DLL, say).
std::string readBesideProgram(const std::string& name);
std::string programDirectory();

// Runs the command line, waits up to `timeoutMs` for the process and returns
// its exit code; -1 when it cannot be started or does not end in time.
long runProcess(const std::string& commandLine, DWORD timeoutMs = 30000);

struct FileTimes {
    FILETIME creation, lastAccess, lastWrite;
};
bool readFileTimes(const std::string& path, FileTimes& times);
bool setLastWriteTime(const std::string& path, const FILETIME& time);
// A DOS date and time taken as local time, in UTC: what an extracted member's
// time stamp becomes.
FILETIME dosTimeAsUtc(std::uint32_t dosDateTime);
bool sameTime(const FILETIME& a, const FILETIME& b);

// A hidden top-level window of a class (a progress bar, a static text) for
// the controls the installation drives; destroyed with the object.
class HiddenWindow {
public:
    explicit HiddenWindow(const char* className);
    ~HiddenWindow();
    HiddenWindow(const HiddenWindow&) = delete;
    HiddenWindow& operator=(const HiddenWindow&) = delete;
    HWND get() const { return window_; }
    std::string text() const;

private:
    HWND window_;
};

// Points the temporary directory of this process (TMP and TEMP) at a folder
// and puts the old values back on destruction.
class TemporaryDirectory {
public:
    explicit TemporaryDirectory(const std::string& folder);
    ~TemporaryDirectory();
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;
    // How many files the folder holds.
    int fileCount() const;

private:
    std::string folder_;
    std::string oldTmp_, oldTemp_;
    bool hadTmp_, hadTemp_;
};

} // namespace install_tests
