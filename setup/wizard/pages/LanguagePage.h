#pragma once

#include "setup/wizard/framework/WizardPage.h"

// The choice of the setup's language among those the package lists in
// SetupLanguages. Next with another language selected loads its file, so the
// pages that follow show its texts; with nothing selected the language stays.
// There is no way back from here.
class LanguagePage : public WizardPage {
public:
    using WizardPage::WizardPage;
    bool onInitDialog() override;
    bool onCommand(int id, int notification) override;
};
