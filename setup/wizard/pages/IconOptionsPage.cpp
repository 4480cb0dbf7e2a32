#include "setup/wizard/pages/IconOptionsPage.h"

#include "setup/config/SetupContext.h"
#include "setup/wizard/framework/Controls.h"
#include "setup/wizard/resources/Resources.h"

namespace {

const ControlText kTexts[] = {
    {0, "IconOptionsTitle"},
    {IDC_TEXT1, "IconOptionsText1"},
    {IDC_TEXT2, "IconOptionsText2"},
    {IDC_TEXT3, "IconOptionsText3"},
    {IDC_DESKTOP_YES, "IconOptionsYes"},
    {IDC_DESKTOP_NO, "IconOptionsNo"},
    {IDC_QUICK_LAUNCH_YES, "IconOptionsYes"},
    {IDC_QUICK_LAUNCH_NO, "IconOptionsNo"},
    {IDC_BACK, "IconOptionsBack"},
    {IDC_NEXT, "IconOptionsNext"},
    {IDC_CANCEL, "IconOptionsCancel"},
};

// One question: its text, its two buttons, the variable it sets and the
// setting that offers it.
struct IconQuestion {
    int text;
    int yes;
    int no;
    const char* variable;
    const char* offered;
};

const IconQuestion kQuestions[] = {
    {IDC_TEXT2, IDC_DESKTOP_YES, IDC_DESKTOP_NO, "CreateDesktopIcon", "AddCreateDesktopIconOption"},
    {IDC_TEXT3, IDC_QUICK_LAUNCH_YES, IDC_QUICK_LAUNCH_NO, "CreateQuickLaunchIcon",
     "AddCreateQuickLaunchIconOption"},
};

} // namespace

bool IconOptionsPage::onInitDialog() {
    attachSidePicture();
    setTexts(kTexts, true);
    for (const IconQuestion& question : kQuestions) {
        const bool yes = context().getFlagVariable(question.variable);
        setChecked(control(question.yes), yes);
        setChecked(control(question.no), !yes);
        if (!context().getFlagVariable(question.offered))
            for (int id : {question.text, question.yes, question.no})
                showControl(control(id), false);
    }
    centre();
    return true;
}

// The clicks are reported as not handled, so that the dialog manager also
// moves the check mark within the pair.
bool IconOptionsPage::onCommand(int id, int notification) {
    for (const IconQuestion& question : kQuestions) {
        if (id == question.yes || id == question.no) {
            context().setVariable(question.variable, id == question.yes ? "Yes" : "No");
            return false;
        }
    }
    return WizardPage::onCommand(id, notification);
}
