#pragma once

#include "setup/wizard/framework/WizardPage.h"

// The end of the wizard, with the offer to view the readme and to start the
// application. Only Finish leaves it; what is left checked is done once the
// wizard closes.
class FinishPage : public WizardPage {
public:
    using WizardPage::WizardPage;
    bool onInitDialog() override;
    bool onCommand(int id, int notification) override;
};
