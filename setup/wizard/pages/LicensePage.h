#pragma once

#include "setup/wizard/framework/WizardPage.h"

// The licence agreement in a rich-edit box. Yes goes on; No, like Cancel,
// asks whether to leave the setup.
class LicensePage : public WizardPage {
public:
    using WizardPage::WizardPage;
    bool onInitDialog() override;
    bool onCommand(int id, int notification) override;
};
