#pragma once

#include "setup/install/ReinstallQuestion.h"
#include "setup/wizard/framework/WizardPage.h"

// The question whether to remove an earlier installation first (Yes), to
// install over it (No) or to give up (Cancel, Esc, the close box). It runs
// before the main window exists, so it has no owner.
class ReinstallDialog : public WizardPage {
public:
    using WizardPage::WizardPage;
    bool onInitDialog() override;
    bool onCommand(int id, int notification) override;
};

// The reinstall test's question, answered by the user through the dialog.
class ReinstallDialogQuestion : public ReinstallQuestion {
public:
    explicit ReinstallDialogQuestion(SetupContext& context) : context_(context) {}
    Answer ask() override;

private:
    SetupContext& context_;
};
