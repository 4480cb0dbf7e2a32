#pragma once

#include "setup/wizard/windows/WizardSteps.h"

// The pages of the setup program. A step without a page of its own yet has no
// factory: the wizard then ends the run as Exit does.
class SetupPages : public PageSet {
public:
    std::unique_ptr<PageFactory> factoryFor(PageIndex page, SetupContext& context) override;
};
