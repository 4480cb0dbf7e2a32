#pragma once

#include "setup/wizard/framework/WizardPage.h"

// The question every page asks when the user cancels: leave the setup or go
// on. Exit Setup, Esc and the close box answer WZ_EXIT; Resume answers
// WZ_RESUME.
class ExitConfirmation : public WizardPage {
public:
    using WizardPage::WizardPage;
    bool onInitDialog() override;
    bool onCommand(int id, int notification) override;
};

// Shows the question owned by `owner` and returns the answer.
INT_PTR runExitConfirmation(HWND owner, SetupContext& context);
