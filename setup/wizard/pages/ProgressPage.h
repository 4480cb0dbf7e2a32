#pragma once

#include "setup/config/WaitCursor.h"
#include "setup/install/InstallEngine.h"
#include "setup/wizard/framework/WizardPage.h"
#include "setup/wizard/pages/FileInUseDialog.h"

#include <memory>

// The installation itself: the page starts the installation on its own
// thread, which drives the two bars and the status line, and moves on when
// it ends. The page owns the run: leaving the setup while it runs stops it
// before the page goes, so the uninstall log lists exactly what was done. A
// run that ended by a failure is reported in one box and ends the setup as
// Exit does. The wait cursor shows for the page's lifetime.
class ProgressPage : public WizardPage {
public:
    ProgressPage(HWND dialog, SetupContext& context);
    // Stops a run that is still going.
    ~ProgressPage() override;

    bool onInitDialog() override;
    bool onCommand(int id, int notification) override;

private:
    void finished();

    WaitCursor waitCursor_;
    FileInUseDialogQuestion inUseQuestion_;
    std::unique_ptr<InstallEngine> engine_;
};
