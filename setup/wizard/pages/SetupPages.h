#pragma once

#include "setup/wizard/windows/WizardSteps.h"

// The pages of the setup program, one class for each step of the wizard.
class SetupPages : public PageSet {
public:
    std::unique_ptr<PageFactory> factoryFor(PageIndex page, SetupContext& context) override;
};
