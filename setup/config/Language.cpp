// The language operations of the setup context.
#include "setup/config/SetupContext.h"

#include "setup/config/DialogTexts.h"
#include "setup/config/text/ListField.h"

bool SetupContext::languageName(int index, std::string& name) {
    if (listField(getVariable("SetupLanguages", true), index, ',', name))
        return true;
    name = "English";
    return false;
}

void SetupContext::loadLanguage(const std::string& name) {
    // The new file is read before the old one goes, so a missing file leaves
    // the current language in place while the failure is reported.
    setLanguageDocument(std::make_unique<IniDocument>(packageDirectory_, name + ".dat"));
    setVariable("DefaultSetupLanguage", name);

    copyDialogTexts(dialog_texts::fileInUse);
    for (const PageDialogTexts& page : dialog_texts::pages) {
        // The language page's own texts are read at load only.
        if (page.page == PageIndex::Language || !pageSwitchedOn(page))
            continue;
        copyPageTexts(page);
        if (page.page == PageIndex::Finish)
            copyFinishCheckTexts(true, true);
    }
    copyDialogTexts(dialog_texts::exitSetup);
}

std::string SetupContext::languageString(int number) const {
    if (!languageDocument_)
        return std::string();
    return languageDocument_->getString("STRINGS", std::to_string(number), std::string());
}

std::string SetupContext::formatLanguageString(int number, const std::string& text) const {
    std::string message = languageString(number);
    const std::string::size_type placeholder = message.find("%1");
    if (placeholder != std::string::npos)
        message.replace(placeholder, 2, text);
    return message;
}

void SetupContext::copyDialogTexts(const DialogTexts& texts) {
    for (const DialogText& text : texts.texts)
        copyLanguageValue(texts.section, text.key, text.variable);
}

void SetupContext::copyPageTexts(const PageDialogTexts& page) {
    for (const DialogTexts* texts : page.texts)
        copyDialogTexts(*texts);
}

void SetupContext::copyFinishCheckTexts(bool viewReadme, bool runApplication) {
    if (viewReadme)
        copyLanguageValue(dialog_texts::finish.section, dialog_texts::finishViewReadmeCheck.key,
                          dialog_texts::finishViewReadmeCheck.variable);
    if (runApplication)
        copyLanguageValue(dialog_texts::finish.section, dialog_texts::finishRunApplicationCheck.key,
                          dialog_texts::finishRunApplicationCheck.variable);
}

bool SetupContext::pageSwitchedOn(const PageDialogTexts& page) {
    return page.switchVariable == nullptr || getFlagVariable(page.switchVariable);
}
