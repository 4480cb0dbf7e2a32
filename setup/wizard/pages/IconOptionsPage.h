#pragma once

#include "setup/wizard/framework/WizardPage.h"

// Two yes/no questions: a desktop icon and a Quick Launch icon. A click sets
// CreateDesktopIcon or CreateQuickLaunchIcon at once; the buttons show the
// stored choices whenever the page opens. A question the package does not
// offer is hidden and its variable keeps its value.
class IconOptionsPage : public WizardPage {
public:
    using WizardPage::WizardPage;
    bool onInitDialog() override;
    bool onCommand(int id, int notification) override;
};
