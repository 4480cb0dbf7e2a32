#pragma once

#include "setup/config/PageIndex.h"
#include "setup/config/text/IniDocument.h"
#include "setup/config/text/VariableTable.h"

#include <windows.h>

class RunAppRecord;
class UninstallLog;
struct DialogTexts;
struct PageDialogTexts;

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// The engine's one central object: the configuration and language documents,
// the variables, the commands to run around the installation, the page slots
// that drive the wizard and the finish page's options.
//
// Threads: the interface thread and the installation worker both read
// variables and configuration lines while the installation runs. The variable
// table and the documents guard themselves; the page slots and the options
// are written while loading and by the interface thread only.
class SetupContext {
public:
    // An empty context: no documents, no variables, every page slot 0 (the
    // first and the current page None), every flag false.
    SetupContext();
    // The whole package description: `ProgramFiles`, then Setup.ini and the
    // language file from `packageDirectory` (the executable's own directory),
    // every setting, the folder variables, the page slots and the programs to
    // run; then checks that setup.zip exists in the current directory.
    // Throws FileException: code 2 with the bare name for a missing Setup.ini
    // or language file, code 1 with "setup.zip" for a missing archive.
    explicit SetupContext(const std::string& packageDirectory);
    // Deletes the owned objects in a fixed order, then encodes setup.log in
    // the application directory unless TextLogFileFormat is a true flag.
    // Never reports anything.
    ~SetupContext();
    SetupContext(const SetupContext&) = delete;
    SetupContext& operator=(const SetupContext&) = delete;

    // Documents (either may be absent). Replacing one deletes the previous one.
    void setConfigDocument(std::unique_ptr<IniDocument> document);
    void setLanguageDocument(std::unique_ptr<IniDocument> document);
    const IniDocument* configDocument() const { return configDocument_.get(); }
    const IniDocument* languageDocument() const { return languageDocument_.get(); }

    // Variables. getVariable inserts a missing name with the empty value; the
    // typed reads take the expanded value the same way.
    std::string getVariable(const std::string& name, bool expand);
    void setVariable(const std::string& name, const std::string& value);
    void expandVariables(std::string& text) const;
    std::uint32_t getIntVariable(const std::string& name, int base);
    bool getFlagVariable(const std::string& name);
    // The described font: height and weight as written (the caller interprets
    // the height), DEFAULT_CHARSET, PROOF_QUALITY, everything else zero. A face
    // name of 32 bytes or more is cut to 31.
    LOGFONTA getFontVariable(const std::string& name);
    std::string getProductName();
    std::string getAppDir();
    void setAppDir(const std::string& directory);
    void setOutputProgramGroup(const std::string& group);

    // getString with an empty default on the document; a non-empty value is
    // stored under `variableName`, or under `key` when no name is given. An
    // empty or missing value leaves the variable as it was. Returns the
    // value's length (0 also when there is no document).
    std::size_t copyConfigValue(const std::string& section, const std::string& key,
                                const char* variableName = nullptr);
    std::size_t copyLanguageValue(const std::string& section, const std::string& key,
                                  const char* variableName = nullptr);

    // Lines of a configuration section, unescaped; 0 and false when there is
    // no configuration document.
    int configLineCount(const std::string& section) const;
    bool configLine(const std::string& section, int index, std::string& line) const;

    // Page slots: one for each page index from None to Completion, 1 when the
    // page is enabled and 0 when not. A value outside None..Completion reads
    // 0 and is not written.
    int pageSlot(PageIndex page) const;
    void setPageSlot(PageIndex page, int value);
    PageIndex firstPage() const { return static_cast<PageIndex>(pages_[kFirstPageSlot]); }
    void setFirstPage(PageIndex page) { pages_[kFirstPageSlot] = static_cast<int>(page); }
    PageIndex currentPage() const { return static_cast<PageIndex>(pages_[kCurrentPageSlot]); }
    void setCurrentPage(PageIndex page) { pages_[kCurrentPageSlot] = static_cast<int>(page); }
    // The nearest enabled page after (before) the current one within
    // None..Completion; no value when there is none.
    std::optional<PageIndex> nextPage() const;
    std::optional<PageIndex> previousPage() const;

    // Language files ("<name>.dat" in the package directory). languageName
    // gives the field `index` of the expanded `SetupLanguages` (separated by
    // ',', nothing trimmed); false and "English" when there is none.
    bool languageName(int index, std::string& name);
    // Switches to another language: opens its file (FileException code 2 with
    // the file name when missing), makes it `DefaultSetupLanguage` and copies
    // the dialog texts of the enabled pages again. A text the new file lacks
    // keeps its previous value.
    void loadLanguage(const std::string& name);
    // The text numbered `number` in the STRINGS section, unescaped, not
    // expanded; empty when missing.
    std::string languageString(int number) const;
    // languageString with its first "%1" replaced by `text`.
    std::string formatLanguageString(int number, const std::string& text) const;

    // Runs the program configured to run before installation, if any.
    void runBeforeInstall();
    // Expands the after-install command in place and runs it, if there is one.
    void runAfterInstall();
    const RunAppRecord* beforeInstallRun() const { return beforeInstallRun_.get(); }

    // Replaces the uninstall log by a new one for setup.log in the application
    // directory, with the product name and the language file's thirteen
    // UNINSTALL_DIALOG lines in [COMMON] and the before-uninstall command
    // (expanded, and kept expanded) in [RUNAPPS]. The context owns the log.
    UninstallLog* createUninstallLog(bool disabled);
    UninstallLog* uninstallLog() const { return uninstallLog_.get(); }

    // Commands to run around the installation and the uninstallation, kept
    // unexpanded; empty when the configuration names none.
    void setAfterInstallCommand(std::optional<std::string> command);
    void setBeforeUninstallCommand(std::optional<std::string> command);
    const std::optional<std::string>& afterInstallCommand() const { return afterInstallCommand_; }
    const std::optional<std::string>& beforeUninstallCommand() const {
        return beforeUninstallCommand_;
    }

    // Set when the user chooses Abort in the file-in-use dialog; the
    // installation polls it after every record.
    bool abortRequested() const { return abortRequested_; }
    void setAbortRequested(bool requested) { abortRequested_ = requested; }

    // No wizard pages before the installation.
    bool unattended() const { return unattended_; }
    void setUnattended(bool unattended) { unattended_ = unattended; }

    // The finish page's check boxes: shown, and checked at the start.
    bool showViewReadmeCheckBox() const { return showViewReadmeCheckBox_; }
    bool viewReadmeChecked() const { return viewReadmeChecked_; }
    bool showRunApplicationCheckBox() const { return showRunApplicationCheckBox_; }
    bool runApplicationChecked() const { return runApplicationChecked_; }
    void setViewReadmeCheckBox(bool shown, bool checked);
    void setRunApplicationCheckBox(bool shown, bool checked);

    // What the user left checked on the finish page.
    bool viewReadmeRequested() const { return viewReadmeRequested_; }
    void setViewReadmeRequested(bool requested) { viewReadmeRequested_ = requested; }
    bool runApplicationRequested() const { return runApplicationRequested_; }
    void setRunApplicationRequested(bool requested) { runApplicationRequested_ = requested; }

private:
    // The page slots, the first page and the current page, in one array.
    static constexpr std::size_t kPageSlotCount = 16;
    static constexpr std::size_t kFirstPageSlot = 14;
    static constexpr std::size_t kCurrentPageSlot = 15;

    void loadConfiguration();
    void readPageSettings(PageIndex page);
    void copyDialogTexts(const DialogTexts& texts);
    void copyPageTexts(const PageDialogTexts& page);
    void copyFinishCheckTexts(bool viewReadme, bool runApplication);
    bool pageSwitchedOn(const PageDialogTexts& page);

    std::size_t copyValue(const IniDocument* document, const std::string& section,
                          const std::string& key, const char* variableName);

    std::atomic<bool> abortRequested_{false};
    std::unique_ptr<IniDocument> configDocument_;
    std::unique_ptr<IniDocument> languageDocument_;
    std::unique_ptr<UninstallLog> uninstallLog_;
    VariableTable variables_;
    std::unique_ptr<RunAppRecord> beforeInstallRun_;
    std::optional<std::string> afterInstallCommand_;
    std::optional<std::string> beforeUninstallCommand_;
    std::array<int, kPageSlotCount> pages_{};
    bool unattended_ = false;
    bool showViewReadmeCheckBox_ = false;
    bool viewReadmeChecked_ = false;
    bool showRunApplicationCheckBox_ = false;
    bool runApplicationChecked_ = false;
    bool viewReadmeRequested_ = false;
    bool runApplicationRequested_ = false;
    // Where Setup.ini and the language files are read from.
    std::string packageDirectory_;
};

// Encodes an uninstall log in place: when the file at `path` exists, is not
// empty, reads whole and starts with '[', every byte b becomes 255 - b. Any
// other file (an encoded one included) and every failure leave it unchanged;
// nothing is reported.
void encodeUninstallLogFile(const std::string& path);
