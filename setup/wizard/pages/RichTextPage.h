#pragma once

#include "setup/wizard/framework/WizardPage.h"

#include <windows.h>

#include <string>

// Streams a licence or readme file into a rich-edit control: as RTF when the
// path ends in ".rtf" (in any case), as plain text otherwise. The file is
// read in text mode (CR LF becomes LF, a byte 26 ends it). A file that cannot
// be opened leaves the control empty; nothing is reported.
void loadRichTextFile(HWND control, const std::string& path);

// A page whose main control (1005) is a rich-edit box showing a licence or
// readme file, with the focus on the text so the user can scroll it at once.
class RichTextPage : public WizardPage {
public:
    RichTextPage(HWND dialog, SetupContext& context) : WizardPage(dialog, context) {}

protected:
    // Loads the file the variable names into the box, gives the box the focus
    // and centres the page. Returns false for onInitDialog: the focus is set.
    bool showFile(const char* pathVariable);
};
