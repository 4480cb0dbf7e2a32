#pragma once

#include "setup/wizard/framework/WizardPage.h"

// The first page most packages show: four texts and the product's picture.
// Back leads to the language selection, so it is hidden without one.
class WelcomePage : public WizardPage {
public:
    using WizardPage::WizardPage;
    bool onInitDialog() override;
};
