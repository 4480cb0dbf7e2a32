#pragma once

#include "setup/install/files/LockedFileCopier.h"
#include "setup/install/files/SetupArchive.h"
#include "setup/records/RecordHandler.h"

#include <windows.h>

#include <string>

class InUseQuestion;
class SetupContext;
class TemporaryFile;
class UninstallLog;

// Installs the records of the file sections and, for FolderInstaller, of the
// folder sections. A file record names a member of the package's archive and
// a destination; its flags and overwrite mode decide whether an existing file
// is replaced (always, by version, by time stamp, or never), whether it is
// counted as a shared DLL, self-registered, logged for uninstallation and
// given attributes. What is created is recorded in the uninstall log under its
// current file class.
//
// A record that cannot be carried out is passed over without a report.
class FileInstaller : public RecordHandler {
public:
    // Opens the archive (the relative name setup.zip unless another is given)
    // and shows each extraction's bytes on `itemBar`; `statusText` shows the
    // file being installed. Either control may be null. `question` is asked
    // about files in use (null: nobody is asked). None of them is owned.
    // Throws FileException(archive name, 1) when the archive cannot be opened.
    FileInstaller(UninstallLog& log, HWND statusText, HWND itemBar, SetupContext& context,
                  InUseQuestion* question, const std::string& archiveName = "setup.zip");
    FileInstaller(const FileInstaller&) = delete;
    FileInstaller& operator=(const FileInstaller&) = delete;

    // Installs one file record "unused,member,destination,flags,mode,attributes"
    // whose variables are already expanded. True when the file is installed:
    // in place now, waiting for a restart, or kept by the overwrite mode.
    bool process(const std::string& record) override;

    // Creates the directory named by a folder record with its missing levels,
    // recording every level it creates. True when the directory exists now.
    bool createFolders(const std::string& record);

    // Whether a file was handed to replacement at restart during this run.
    bool restartNeeded() const { return copier_.restartNeeded(); }

private:
    bool installDirect(const std::string& member, const std::string& destination);
    bool installReplacing(const std::string& member, const std::string& destination, int flags);
    bool installConditional(const std::string& member, const std::string& destination, int flags,
                            int mode);
    bool memberWins(const std::string& temporary, const std::string& destination, int mode);
    void copyIntoPlace(TemporaryFile& temporary, const std::string& destination, int flags);

    UninstallLog& log_;
    HWND statusText_;
    SetupArchive archive_;
    LockedFileCopier copier_;
    // Set when the current record's file waits for a restart.
    bool pending_ = false;
};

// The handler of the folder sections: each record goes to the file
// installer's folder operation, which records through the same log.
class FolderInstaller : public RecordHandler {
public:
    explicit FolderInstaller(FileInstaller& files) : files_(files) {}
    bool process(const std::string& record) override { return files_.createFolders(record); }

private:
    FileInstaller& files_;
};
