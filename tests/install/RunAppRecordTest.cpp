#include "setup/install/base/RunAppRecord.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string windowsDirectory() {
    char path[MAX_PATH] = {};
    GetWindowsDirectoryA(path, sizeof path);
    return path;
}

struct ProbeRecord {
    bool present = false;
    std::string commandLine;
    std::string directory;
    int show = -2;
};

// Lays out a work folder with the probe program, registers a document type
// whose open command is the probe, and reads back what the probe recorded.
class RunAppRecordTest : public ::testing::Test {
protected:
    void SetUp() override {
        probe_ = testing_support::programDirectory() + "\\run_probe.exe";
        work_ = folder_.path();
        output_ = work_ + "\\probe.txt";
        SetEnvironmentVariableA("START_PROBE_OUTPUT", output_.c_str());
        SetEnvironmentVariableA("START_PROBE_SLEEP_MS", "300");

        const std::string command = "\"" + probe_ + "\" \"%1\"";
        RegSetValueA(HKEY_CLASSES_ROOT, ".runprobe", REG_SZ, "RunProbe.Document", 0);
        RegSetValueA(HKEY_CLASSES_ROOT, "RunProbe.Document\\shell\\open\\command", REG_SZ,
                     command.c_str(), 0);
    }

    void TearDown() override {
        RegDeleteKeyA(HKEY_CLASSES_ROOT, ".runprobe");
        RegDeleteKeyA(HKEY_CLASSES_ROOT, "RunProbe.Document\\shell\\open\\command");
        RegDeleteKeyA(HKEY_CLASSES_ROOT, "RunProbe.Document\\shell\\open");
        RegDeleteKeyA(HKEY_CLASSES_ROOT, "RunProbe.Document\\shell");
        RegDeleteKeyA(HKEY_CLASSES_ROOT, "RunProbe.Document");
    }

    // What the probe wrote, waiting up to `timeoutMs` for a whole record.
    ProbeRecord probeRecord(DWORD timeoutMs = 0) const {
        const DWORD start = GetTickCount();
        for (;;) {
            std::ifstream in(output_);
            std::string self, show;
            ProbeRecord record;
            if (std::getline(in, self) && std::getline(in, record.commandLine) &&
                std::getline(in, record.directory) && std::getline(in, show) && !show.empty()) {
                record.present = true;
                record.show = std::stoi(show);
                return record;
            }
            if (GetTickCount() - start >= timeoutMs)
                return {};
            Sleep(20);
        }
    }

    std::string copyProbeAs(const std::string& name) const {
        const std::string path = work_ + "\\" + name;
        CopyFileA(probe_.c_str(), path.c_str(), FALSE);
        return path;
    }

    // One folder per test: CTest runs the tests of this program side by side.
    testing_support::ScratchFolder folder_;
    std::string probe_;
    std::string work_;
    std::string output_;
};

TEST_F(RunAppRecordTest, PathAloneStartsHiddenInTheCurrentDirectoryAndIsWaitedFor) {
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof current, current);

    RunAppRecord(probe_).run();

    const ProbeRecord record = probeRecord();
    ASSERT_TRUE(record.present) << "run() returned before the program ended";
    EXPECT_EQ(record.commandLine, "\"" + probe_ + "\"");
    EXPECT_EQ(record.directory, current);
    EXPECT_EQ(record.show, SW_HIDE);
}

TEST_F(RunAppRecordTest, ParametersDirectoryAndShowCommandReachTheProcess) {
    RunAppRecord(probe_ + ",/q /x,C:\\windows,1").run();

    const ProbeRecord record = probeRecord();
    ASSERT_TRUE(record.present);
    EXPECT_EQ(record.commandLine, "\"" + probe_ + "\" /q /x");
    EXPECT_STRCASEEQ(record.directory.c_str(), windowsDirectory().c_str());
    EXPECT_EQ(record.show, SW_SHOWNORMAL);
}

TEST_F(RunAppRecordTest, NoWaitReturnsWhileTheProgramRuns) {
    SetEnvironmentVariableA("START_PROBE_SLEEP_MS", "2000");

    RunAppRecord(probe_ + ",,,1,0,1").run();

    EXPECT_FALSE(probeRecord().present) << "run() waited although told not to";
    EXPECT_TRUE(probeRecord(15000).present);
}

TEST_F(RunAppRecordTest, DocumentGoesToTheShellWithShowCommandAndWithoutDirectory) {
    const std::string document = work_ + "\\notes.runprobe";
    std::ofstream(document) << "text";

    RunAppRecord(document + ",,C:\\windows,3").run();

    const ProbeRecord record = probeRecord();
    ASSERT_TRUE(record.present) << "the shell's program was not waited for";
    EXPECT_NE(record.commandLine.find(document), std::string::npos) << record.commandLine;
    EXPECT_STRCASENE(record.directory.c_str(), windowsDirectory().c_str());
    EXPECT_EQ(record.show, SW_SHOWMAXIMIZED);
}

TEST_F(RunAppRecordTest, DocumentWithNoWaitIsNotWaitedFor) {
    SetEnvironmentVariableA("START_PROBE_SLEEP_MS", "2000");
    const std::string document = work_ + "\\later.runprobe";
    std::ofstream(document) << "text";

    RunAppRecord(document + ",,,3,0,1").run();

    EXPECT_FALSE(probeRecord().present);
    EXPECT_TRUE(probeRecord(15000).present);
}

TEST_F(RunAppRecordTest, UpperCaseExtensionGoesToTheShellSoTheDirectoryIsIgnored) {
    const std::string upper = copyProbeAs("PROBE.EXE");

    RunAppRecord(upper + ",/q,C:\\windows,1").run();

    const ProbeRecord record = probeRecord(15000);
    ASSERT_TRUE(record.present);
    EXPECT_STRCASENE(record.directory.c_str(), windowsDirectory().c_str());
}

TEST_F(RunAppRecordTest, ExeInTheMiddleOfTheNameStartsAProcess) {
    // A program under a document's name: the shell would open it with the
    // probe as a document (an extra argument); a process start runs it as it is.
    const std::string odd = copyProbeAs("tool.exe.runprobe");

    RunAppRecord(odd + ",,C:\\windows,1").run();

    const ProbeRecord record = probeRecord(15000);
    ASSERT_TRUE(record.present);
    EXPECT_EQ(record.commandLine, "\"" + odd + "\"");
    EXPECT_STRCASEEQ(record.directory.c_str(), windowsDirectory().c_str());
}

TEST_F(RunAppRecordTest, WhatCannotBeStartedIsQuietlyNotRun) {
    RunAppRecord(work_ + "\\missing.exe,/q").run();
    RunAppRecord(work_ + "\\missing.nosuchtype").run();
    RunAppRecord("").run();
    EXPECT_FALSE(probeRecord(500).present);
}

} // namespace
