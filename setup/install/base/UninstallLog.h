#pragma once

#include <array>
#include <mutex>
#include <string>
#include <unordered_set>
#include <vector>

// Collects what the installation creates and writes it to setup.log, the
// uninstaller's only record of what to remove. Ten sections; every section but
// [COMMON] keeps each text once and is written newest first.
//
// A disabled log (an imitation run, or no uninstaller wanted) ignores every
// operation and never creates a file.
//
// Entries arrive on the installation worker; the final write may come from the
// thread that destroys the log. One lock serialises them.
class UninstallLog {
public:
    // What an entry records.
    enum Kind {
        InstalledFile = 0,  // full path of the file
        CreatedFolder = 1,  // full path, no trailing '\'
        RegisteredDll = 2,  // full path of a self-registered file
        RegistryKey = 16,   // "HKLM,subkey"
        RegistryValue = 17, // "HKLM,subkey,value name"
        ProgramRun = 32,    // "BeforeUninstall=command"
    };

    // The sections of the file, in the order they are written.
    enum Section {
        Common,
        SharedFilesSection,
        StandardFiles,
        ApplicationFilesSection,
        ApplicationFolders,
        ApplicationDirectory,
        RegistryValues,
        RegistryEntries,
        RegisteredDlls,
        RunApps,
        SectionCount
    };

    // The name of a section without its brackets ("APPFILES").
    static const char* sectionName(Section section);

    // Under which class files and folders are recorded.
    enum FileClass {
        ApplicationFiles = 0,
        SystemFiles = 1,
        SharedFiles = 2,
        ShortcutFiles = 4,
    };

    // The log file is `directory` joined with `fileName`; its own path is the
    // first application file entry. `mode` is accepted for the file format's
    // sake; only 1 (a new log) exists.
    UninstallLog(const std::string& directory, const std::string& fileName, int mode,
                 bool disabled);
    // Writes the log if nobody has. A failure to write is dropped here: a
    // destructor must not throw.
    ~UninstallLog();
    UninstallLog(const UninstallLog&) = delete;
    UninstallLog& operator=(const UninstallLog&) = delete;

    const std::string& path() const { return path_; }
    bool disabled() const { return disabled_; }

    void addHeaderLine(const std::string& text);
    void setFileClass(int fileClass);
    int fileClass() const;
    // Records under the current class; unknown kinds, and files or folders
    // under an unknown class, are ignored.
    void addEntry(int kind, const std::string& text);
    // Records under `fileClass` and leaves the current class as it is.
    void addEntryAs(int fileClass, int kind, const std::string& text);

    // Writes the file, once: a second call does nothing, even after a failure.
    // Throws FileException(path, 5) when the file cannot be created or written.
    void write();

    // The texts of a section ("APPFILES", ...) in the order they were added;
    // empty for an unknown name.
    std::vector<std::string> entries(const std::string& section) const;

private:
    struct List {
        std::vector<std::string> texts;
        std::unordered_set<std::string> seen;
    };

    static int sectionFor(int fileClass, int kind);
    void addLocked(int section, const std::string& text);

    std::string path_;
    const bool disabled_;
    int fileClass_ = ApplicationFiles;
    bool written_ = false;
    std::array<List, SectionCount> lists_;
    mutable std::mutex lock_;
};
