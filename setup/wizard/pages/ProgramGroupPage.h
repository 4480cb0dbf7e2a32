#pragma once

#include "setup/wizard/framework/WizardPage.h"

// The Start menu folder for the product's shortcuts: typed, or picked from
// the folders the Start menu's Programs folder holds. Next keeps it as
// OutputProgramGroup; Back returns to the default.
class ProgramGroupPage : public WizardPage {
public:
    using WizardPage::WizardPage;
    bool onInitDialog() override;
    bool onCommand(int id, int notification) override;

private:
    void listProgramFolders();
};
