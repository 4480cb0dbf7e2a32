#pragma once

#include "setup/wizard/framework/WizardPage.h"

// The readme in a rich-edit box, with Back, Next and Cancel.
class ReadmePage : public WizardPage {
public:
    using WizardPage::WizardPage;
    bool onInitDialog() override;
};
