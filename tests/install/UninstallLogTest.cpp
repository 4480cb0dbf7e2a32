#include "setup/install/base/UninstallLog.h"

#include "setup/start/errors/FileException.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

using testing_support::readFile;

class UninstallLogTest : public ::testing::Test {
protected:
    testing_support::ScratchFolder folder_;
    std::string directory_ = folder_.path();
    std::string logPath_ = folder_.file("setup.log");
};

TEST_F(UninstallLogTest, WritesTenSectionsNewestFirstWithCrLf) {
    {
        UninstallLog log(directory_ + "\\", "setup.log", 1, false);
        log.addHeaderLine("Application_Name=Acme");
        log.addHeaderLine("");
        log.addHeaderLine("");
        log.addEntry(UninstallLog::CreatedFolder, "C:\\App");
        log.addEntry(UninstallLog::CreatedFolder, "C:\\App\\Data");
        log.addEntry(UninstallLog::InstalledFile, "C:\\App\\a.exe");
        log.addEntry(UninstallLog::RegistryKey, "HKLM,SOFTWARE\\Acme");
        log.addEntry(UninstallLog::RegistryValue, "HKLM,SOFTWARE\\Acme,Path");
        log.addEntry(UninstallLog::RegisteredDll, "C:\\App\\a.dll");
        log.addEntry(UninstallLog::ProgramRun, "BeforeUninstall=C:\\App\\pre.exe");
        log.write();
    }
    EXPECT_EQ(readFile(logPath_), "[COMMON]\r\n"
                                  "Application_Name=Acme\r\n"
                                  "\r\n"
                                  "\r\n"
                                  "[SHAREDFILES]\r\n"
                                  "[STDFILES]\r\n"
                                  "[APPFILES]\r\n"
                                  "C:\\App\\a.exe\r\n" +
                                      logPath_ +
                                      "\r\n"
                                      "[APPFOLDERS]\r\n"
                                      "[APPDIR]\r\n"
                                      "C:\\App\\Data\r\n"
                                      "C:\\App\r\n"
                                      "[REGVALUES]\r\n"
                                      "HKLM,SOFTWARE\\Acme,Path\r\n"
                                      "[REGENTRY]\r\n"
                                      "HKLM,SOFTWARE\\Acme\r\n"
                                      "[REGDLLS]\r\n"
                                      "C:\\App\\a.dll\r\n"
                                      "[RUNAPPS]\r\n"
                                      "BeforeUninstall=C:\\App\\pre.exe\r\n");
}

TEST_F(UninstallLogTest, SortsFilesAndFoldersByClassAndDropsDuplicates) {
    UninstallLog log(directory_, "setup.log", 1, false);
    log.addEntry(UninstallLog::InstalledFile, "C:\\App\\a.exe");
    log.addEntry(UninstallLog::InstalledFile, "C:\\App\\a.exe");
    log.addEntry(UninstallLog::InstalledFile, "C:\\APP\\A.EXE");
    log.setFileClass(UninstallLog::SharedFiles);
    log.addEntry(UninstallLog::InstalledFile, "C:\\Common\\s.dll");
    log.addEntry(UninstallLog::CreatedFolder, "C:\\Common");
    log.setFileClass(UninstallLog::SystemFiles);
    log.addEntry(UninstallLog::InstalledFile, "C:\\Windows\\System\\x.dll");
    log.addEntry(UninstallLog::CreatedFolder, "C:\\Common");
    log.addEntryAs(UninstallLog::ShortcutFiles, UninstallLog::InstalledFile, "C:\\Menu\\A.lnk");
    log.addEntryAs(UninstallLog::ShortcutFiles, UninstallLog::CreatedFolder, "C:\\Menu");
    EXPECT_EQ(log.fileClass(), UninstallLog::SystemFiles);
    log.setFileClass(3);
    log.addEntry(UninstallLog::InstalledFile, "ignored for class 3");
    log.setFileClass(5);
    log.addEntry(UninstallLog::CreatedFolder, "ignored for class 5");
    log.addEntry(99, "ignored kind");
    log.addEntry(UninstallLog::RegistryKey, "HKCU,Software\\Acme");

    using Texts = std::vector<std::string>;
    EXPECT_EQ(log.entries("APPFILES"),
              (Texts{logPath_, "C:\\App\\a.exe", "C:\\APP\\A.EXE", "C:\\Menu\\A.lnk"}));
    EXPECT_EQ(log.entries("SHAREDFILES"), (Texts{"C:\\Common\\s.dll"}));
    EXPECT_EQ(log.entries("STDFILES"), (Texts{"C:\\Windows\\System\\x.dll"}));
    EXPECT_EQ(log.entries("APPFOLDERS"), (Texts{"C:\\Common", "C:\\Menu"}));
    EXPECT_EQ(log.entries("APPDIR"), Texts{});
    EXPECT_EQ(log.entries("REGENTRY"), (Texts{"HKCU,Software\\Acme"}));
}

TEST_F(UninstallLogTest, WritesOnceAndOnDestructionIfNobodyDid) {
    {
        UninstallLog log(directory_, "setup.log", 1, false);
        log.addEntry(UninstallLog::InstalledFile, "first");
    }
    EXPECT_NE(readFile(logPath_).find("first\r\n"), std::string::npos);

    UninstallLog log(directory_, "setup.log", 1, false);
    log.addEntry(UninstallLog::InstalledFile, "second");
    log.write();
    log.addEntry(UninstallLog::InstalledFile, "third");
    log.write();
    const std::string text = readFile(logPath_);
    EXPECT_NE(text.find("second\r\n"), std::string::npos);
    EXPECT_EQ(text.find("third"), std::string::npos);
}

TEST_F(UninstallLogTest, DisabledLogRecordsAndWritesNothing) {
    {
        UninstallLog log(directory_, "setup.log", 1, true);
        log.addHeaderLine("Application_Name=Acme");
        log.addEntry(UninstallLog::InstalledFile, "C:\\App\\a.exe");
        EXPECT_TRUE(log.entries("APPFILES").empty());
        log.write();
    }
    EXPECT_EQ(GetFileAttributesA(logPath_.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(UninstallLogTest, UncreatableFileThrowsOnceWithCodeFiveAndThePath) {
    const std::string missing = directory_ + "\\no such folder";
    UninstallLog log(missing, "setup.log", 1, false);
    try {
        log.write();
        FAIL() << "no exception";
    } catch (const FileException& e) {
        EXPECT_EQ(e.code(), 5);
        EXPECT_EQ(e.fileName(), missing + "\\setup.log");
    }
    EXPECT_NO_THROW(log.write());
}

} // namespace
