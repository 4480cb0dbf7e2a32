#pragma once

#include "setup/wizard/framework/WizardPage.h"

// The summary before the installation starts: the target folder and the
// program group, each under its caption. The last page Back leads from.
class StartSummaryPage : public WizardPage {
public:
    using WizardPage::WizardPage;
    bool onInitDialog() override;
};
