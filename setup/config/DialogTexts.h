#pragma once

#include <vector>

// Which language-file key of a dialog's section lands in which variable. The
// pages and dialogs show the variables, so a text that a newly loaded language
// lacks keeps the previous language's value.
struct DialogText {
    const char* key;
    const char* variable;
};

struct DialogTexts {
    const char* section;
    std::vector<DialogText> texts;
};

namespace dialog_texts {

extern const DialogTexts reinstall;
extern const DialogTexts fileInUse;
extern const DialogTexts language;
extern const DialogTexts welcome;
extern const DialogTexts license;
extern const DialogTexts readme;
extern const DialogTexts userInfo;
extern const DialogTexts targetDirectory;
extern const DialogTexts chooseDirectory;
extern const DialogTexts programGroup;
extern const DialogTexts iconOptions;
extern const DialogTexts start;
extern const DialogTexts process;
// Without the two check boxes: `Check1` and `Check2` follow their own rules.
extern const DialogTexts finish;
extern const DialogText finishViewReadmeCheck;
extern const DialogText finishRunApplicationCheck;
extern const DialogTexts exitSetup;

} // namespace dialog_texts
