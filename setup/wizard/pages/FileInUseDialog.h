#pragma once

#include "setup/install/files/InUseQuestion.h"
#include "setup/wizard/framework/WizardPage.h"

// The notice that a file the installation must replace is in use: Retry
// after the user closed the program, Cancel (also Esc and the close box) to
// replace the file at the next restart, Abort to stop the installation. It
// runs on the installation's thread, without owner, while the progress page
// stays on screen.
class FileInUseDialog : public WizardPage {
public:
    using WizardPage::WizardPage;
    bool onInitDialog() override;
    bool onCommand(int id, int notification) override;
};

// The installation's question about a file in use, answered by the user
// through the dialog. The file's path is in the variable InUseFilePathname.
class FileInUseDialogQuestion : public InUseQuestion {
public:
    explicit FileInUseDialogQuestion(SetupContext& context) : context_(context) {}
    Answer ask(const std::string& path) override;

private:
    SetupContext& context_;
};
