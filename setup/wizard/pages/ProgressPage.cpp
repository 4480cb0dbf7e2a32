#include "setup/wizard/pages/ProgressPage.h"

#include "setup/config/SetupContext.h"
#include "setup/install/WizardCommands.h"
#include "setup/wizard/framework/ExitConfirmation.h"
#include "setup/wizard/framework/FailureCapture.h"
#include "setup/wizard/resources/Resources.h"

namespace {
const ControlText kTexts[] = {
    {0, "ProcessTitle"},
    {IDC_CANCEL, "ProcessCancel"},
};
}

ProgressPage::ProgressPage(HWND dialog, SetupContext& context)
    : WizardPage(dialog, context), inUseQuestion_(context) {}

ProgressPage::~ProgressPage() {
    engine_.reset();
}

bool ProgressPage::onInitDialog() {
    setTexts(kTexts);
    engine_ = std::make_unique<InstallEngine>(dialog(), context(), control(IDC_OVERALL_BAR),
                                              control(IDC_ITEM_BAR), control(IDC_STATUS),
                                              &inUseQuestion_);
    engine_->start();
    centre();
    return true;
}

bool ProgressPage::onCommand(int id, int /*notification*/) {
    switch (id) {
    case WZ_INSTALL_DONE:
        finished();
        return true;
    case WZ_INSTALL_ABORTED:
        end(WZ_EXIT);
        return true;
    case IDCANCEL:
        // The run goes on while the question is open; confirmed, it is
        // stopped before the page and the context go.
        if (runExitConfirmation(dialog(), context()) == WZ_EXIT) {
            engine_->stop();
            end(WZ_EXIT);
        }
        return true;
    default:
        return false;
    }
}

void ProgressPage::finished() {
    const std::string failure = engine_->failure();
    if (failure.empty()) {
        end(WZ_NEXT);
        return;
    }
    const std::string caption = context().getVariable("ProcessTitle", true);
    MessageBoxA(dialog(), failure.c_str(), caption.c_str(), MB_ICONERROR);
    rethrowCapturedFailure();
    end(WZ_EXIT);
}
