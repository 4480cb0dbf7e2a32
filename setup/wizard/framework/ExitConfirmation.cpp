#include "setup/wizard/framework/ExitConfirmation.h"

#include "setup/install/WizardCommands.h"
#include "setup/wizard/resources/Resources.h"

namespace {
const ControlText kTexts[] = {
    {0, "ExitSetupTitle"},         {IDC_EXIT_SETUP, "ExitExit"},  {IDC_RESUME, "ExitResume"},
    {IDC_TEXT1, "ExitSetupText1"}, {IDC_TEXT2, "ExitSetupText2"}, {IDC_TEXT3, "ExitSetupText3"},
};
}

bool ExitConfirmation::onInitDialog() {
    setTexts(kTexts);
    centre();
    return true;
}

bool ExitConfirmation::onCommand(int id, int /*notification*/) {
    switch (id) {
    case IDC_EXIT_SETUP:
    case IDCANCEL:
        end(WZ_EXIT);
        return true;
    case IDC_RESUME:
        end(WZ_RESUME);
        return true;
    default:
        return false;
    }
}

INT_PTR runExitConfirmation(HWND owner, SetupContext& context) {
    PageFactoryOf<ExitConfirmation> factory(context);
    return runPageDialog(IDD_EXIT_CONFIRMATION, owner, factory);
}
