#pragma once

#include "setup/config/PageIndex.h"

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

// A wizard page with texts of its own: the DIALOGS switch that turns it on
// (a flag variable; null for a page that is always there) and the dialogs
// whose texts it shows.
struct PageDialogTexts {
    PageIndex page;
    const char* switchVariable;
    std::vector<const DialogTexts*> texts;
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

// Every page with texts, in page order: the language page to the start page,
// the progress page, the finish page. The finish page's check box texts are
// not among them.
extern const std::vector<PageDialogTexts> pages;

} // namespace dialog_texts
