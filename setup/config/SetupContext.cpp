#include "setup/config/SetupContext.h"

#include "setup/config/FolderVariables.h"
#include "setup/install/base/RunAppRecord.h"
#include "setup/install/base/UninstallLog.h"
#include "setup/records/helpers/FileHandle.h"
#include "setup/records/helpers/PathExists.h"
#include "setup/records/helpers/WholeFile.h"
#include "setup/records/text/PathText.h"
#include "setup/start/errors/FileException.h"

#include <algorithm>
#include <cstring>

void encodeUninstallLogFile(const std::string& path) {
    std::string bytes;
    {
        FileHandle file;
        std::uint32_t size = 0;
        if (!file.openForReading(path.c_str(), nullptr) || !file.size(size) || size == 0)
            return;
        try {
            bytes.resize(size);
        } catch (...) {
            return;
        }
        std::uint32_t bytesRead = 0;
        if (!file.read(&bytes[0], size, bytesRead))
            return;
    }
    // An encoded log starts with the complement of '[', so it is never encoded twice.
    if (bytes[0] != '[')
        return;
    for (char& byte : bytes)
        byte = static_cast<char>(~static_cast<unsigned char>(byte));
    try {
        writeWholeFile(path, bytes);
    } catch (const FileException&) {
        // Nothing is reported: the log is the uninstaller's, and the run is over.
    }
}

SetupContext::SetupContext() = default;

SetupContext::SetupContext(const std::string& packageDirectory)
    : packageDirectory_(packageDirectory) {
    setProgramFilesVariable(*this);
    loadConfiguration();
    // The archive is looked for by its bare name, in the current directory.
    if (!exists("setup.zip"))
        throw FileException("setup.zip", FileException::NotFound);
}

SetupContext::~SetupContext() {
    configDocument_.reset();
    // Deleting the log writes setup.log if that has not happened yet, before
    // the file is encoded below.
    uninstallLog_.reset();
    languageDocument_.reset();
    beforeInstallRun_.reset();
    afterInstallCommand_.reset();
    beforeUninstallCommand_.reset();
    try {
        // Without an application directory there is no log of this run, and a
        // setup.log relative to the current directory may belong to anyone.
        const std::string appDir = getAppDir();
        if (!appDir.empty() && !getFlagVariable("TextLogFileFormat"))
            encodeUninstallLogFile(joinPath(appDir, "setup.log"));
    } catch (...) {
        // Nothing is reported from here, not even a failed allocation.
    }
}

void SetupContext::setConfigDocument(std::unique_ptr<IniDocument> document) {
    configDocument_ = std::move(document);
}

void SetupContext::setLanguageDocument(std::unique_ptr<IniDocument> document) {
    languageDocument_ = std::move(document);
}

std::string SetupContext::getVariable(const std::string& name, bool expand) {
    return variables_.get(name, expand);
}

void SetupContext::setVariable(const std::string& name, const std::string& value) {
    variables_.set(name, value);
}

void SetupContext::expandVariables(std::string& text) const {
    variables_.expand(text);
}

std::uint32_t SetupContext::getIntVariable(const std::string& name, int base) {
    return variables_.getInt(name, base);
}

bool SetupContext::getFlagVariable(const std::string& name) {
    return variables_.getFlag(name);
}

LOGFONTA SetupContext::getFontVariable(const std::string& name) {
    const FontDescription font = variables_.getFont(name);
    LOGFONTA logFont;
    std::memset(&logFont, 0, sizeof logFont);
    logFont.lfHeight = font.height;
    logFont.lfWeight = font.weight;
    logFont.lfItalic = font.italic;
    logFont.lfUnderline = font.underline;
    logFont.lfStrikeOut = font.strikeOut;
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfQuality = PROOF_QUALITY;
    // The face field holds 31 bytes and the terminating zero.
    const std::size_t faceLength = std::min(font.face.size(), sizeof logFont.lfFaceName - 1);
    std::memcpy(logFont.lfFaceName, font.face.data(), faceLength);
    return logFont;
}

std::string SetupContext::getProductName() {
    return getVariable("ProductName", true);
}

std::string SetupContext::getAppDir() {
    return getVariable("AppDir", true);
}

void SetupContext::setAppDir(const std::string& directory) {
    setVariable("AppDir", directory);
}

void SetupContext::setOutputProgramGroup(const std::string& group) {
    setVariable("OutputProgramGroup", group);
}

std::size_t SetupContext::copyValue(const IniDocument* document, const std::string& section,
                                    const std::string& key, const char* variableName) {
    if (document == nullptr)
        return 0;
    const std::string value = document->getString(section, key, std::string());
    if (!value.empty())
        setVariable(variableName != nullptr ? std::string(variableName) : key, value);
    return value.size();
}

std::size_t SetupContext::copyConfigValue(const std::string& section, const std::string& key,
                                          const char* variableName) {
    return copyValue(configDocument_.get(), section, key, variableName);
}

std::size_t SetupContext::copyLanguageValue(const std::string& section, const std::string& key,
                                            const char* variableName) {
    return copyValue(languageDocument_.get(), section, key, variableName);
}

int SetupContext::configLineCount(const std::string& section) const {
    return configDocument_ ? configDocument_->lineCount(section) : 0;
}

bool SetupContext::configLine(const std::string& section, int index, std::string& line) const {
    if (!configDocument_) {
        line.clear();
        return false;
    }
    return configDocument_->getLine(section, index, true, line);
}

namespace {

// The slot of a page, or nothing for a value outside None..Completion.
std::optional<std::size_t> slotOf(PageIndex page) {
    const int index = static_cast<int>(page);
    if (index < static_cast<int>(PageIndex::None) ||
        index > static_cast<int>(PageIndex::Completion))
        return std::nullopt;
    return static_cast<std::size_t>(index);
}

} // namespace

int SetupContext::pageSlot(PageIndex page) const {
    const std::optional<std::size_t> slot = slotOf(page);
    return slot ? pages_[*slot] : 0;
}

void SetupContext::setPageSlot(PageIndex page, int value) {
    if (const std::optional<std::size_t> slot = slotOf(page))
        pages_[*slot] = value;
}

std::optional<PageIndex> SetupContext::nextPage() const {
    const int current = pages_[kCurrentPageSlot];
    for (int index = static_cast<int>(PageIndex::None);
         index <= static_cast<int>(PageIndex::Completion); ++index) {
        const PageIndex page = static_cast<PageIndex>(index);
        if (index > current && pageSlot(page) == 1)
            return page;
    }
    return std::nullopt;
}

std::optional<PageIndex> SetupContext::previousPage() const {
    const int current = pages_[kCurrentPageSlot];
    for (int index = static_cast<int>(PageIndex::Completion);
         index >= static_cast<int>(PageIndex::None); --index) {
        const PageIndex page = static_cast<PageIndex>(index);
        if (index < current && pageSlot(page) == 1)
            return page;
    }
    return std::nullopt;
}

void SetupContext::setAfterInstallCommand(std::optional<std::string> command) {
    afterInstallCommand_ = std::move(command);
}

void SetupContext::setBeforeUninstallCommand(std::optional<std::string> command) {
    beforeUninstallCommand_ = std::move(command);
}

void SetupContext::setViewReadmeCheckBox(bool shown, bool checked) {
    showViewReadmeCheckBox_ = shown;
    viewReadmeChecked_ = checked;
}

void SetupContext::setRunApplicationCheckBox(bool shown, bool checked) {
    showRunApplicationCheckBox_ = shown;
    runApplicationChecked_ = checked;
}

void SetupContext::runBeforeInstall() {
    if (beforeInstallRun_)
        beforeInstallRun_->run();
}

void SetupContext::runAfterInstall() {
    if (!afterInstallCommand_)
        return;
    expandVariables(*afterInstallCommand_);
    RunAppRecord(*afterInstallCommand_).run();
}

UninstallLog* SetupContext::createUninstallLog(bool disabled) {
    uninstallLog_.reset();
    uninstallLog_ = std::make_unique<UninstallLog>(getAppDir(), "setup.log", 1, disabled);
    uninstallLog_->addHeaderLine("Application_Name=" + getProductName());
    for (int index = 0; index <= 12; ++index) {
        std::string line;
        if (languageDocument_)
            languageDocument_->getLine("UNINSTALL_DIALOG", index, false, line);
        uninstallLog_->addHeaderLine(line);
    }
    if (beforeUninstallCommand_) {
        expandVariables(*beforeUninstallCommand_);
        uninstallLog_->addEntry(UninstallLog::ProgramRun,
                                "BeforeUninstall=" + *beforeUninstallCommand_);
    }
    return uninstallLog_.get();
}
