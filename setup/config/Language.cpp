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
    const struct {
        int page;
        const DialogTexts* texts;
    } pages[] = {
        {2, &dialog_texts::welcome},        {3, &dialog_texts::license},
        {4, &dialog_texts::readme},         {5, &dialog_texts::userInfo},
        {6, &dialog_texts::targetDirectory}, {6, &dialog_texts::chooseDirectory},
        {7, &dialog_texts::programGroup},   {8, &dialog_texts::iconOptions},
        {9, &dialog_texts::start},
    };
    for (const auto& entry : pages)
        if (pageEnabled(entry.page))
            copyDialogTexts(*entry.texts);
    copyDialogTexts(dialog_texts::process);
    if (pageEnabled(11)) {
        copyDialogTexts(dialog_texts::finish);
        for (const DialogText* check :
             {&dialog_texts::finishViewReadmeCheck, &dialog_texts::finishRunApplicationCheck})
            copyLanguageValue(dialog_texts::finish.section, check->key, check->variable);
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
