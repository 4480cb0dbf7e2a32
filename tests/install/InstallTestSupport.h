#pragma once

// Folders, files, windows and time stamps for the tests of file installation.

#include "tests/support/Processes.h"
#include "tests/support/TestFiles.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace install_tests {

using testing_support::directoryExists;
using testing_support::fileExists;
using testing_support::programDirectory;
using testing_support::readFile;
using testing_support::removeTree;
using testing_support::runProcess;
using testing_support::ScratchFolder;
using testing_support::writeFile;

// The bytes of a file beside the test program (a fixture DLL, say).
std::string readBesideProgram(const std::string& name);

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

// A top-level window standing in for the progress page: it records every
// WM_COMMAND it receives. Visible (and tiny) so that a test can see a run
// hide it.
class PageWindow {
public:
    PageWindow();
    ~PageWindow();
    PageWindow(const PageWindow&) = delete;
    PageWindow& operator=(const PageWindow&) = delete;

    HWND get() const { return window_; }
    // (command id, lParam) in the order of arrival.
    const std::vector<std::pair<WPARAM, LPARAM>>& commands() const { return commands_; }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_;
    std::vector<std::pair<WPARAM, LPARAM>> commands_;
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
