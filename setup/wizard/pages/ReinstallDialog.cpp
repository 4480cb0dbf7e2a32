#include "setup/wizard/pages/ReinstallDialog.h"

#include "setup/install/WizardCommands.h"
#include "setup/wizard/resources/Resources.h"

namespace {
const ControlText kTexts[] = {
    {0, "ReinstallDialogTitle"},
    {IDC_REINSTALL_YES, "ReinstallDialogYes"},
    {IDC_REINSTALL_NO, "ReinstallDialogNo"},
    {IDC_REINSTALL_CANCEL, "ReinstallDialogCancel"},
    {IDC_TEXT1, "ReinstallDialogText"},
};
}

bool ReinstallDialog::onInitDialog() {
    setTexts(kTexts);
    centre();
    return true;
}

bool ReinstallDialog::onCommand(int id, int /*notification*/) {
    switch (id) {
    case IDC_REINSTALL_YES:
        end(WZ_REINSTALL_YES);
        return true;
    case IDC_REINSTALL_NO:
        end(WZ_REINSTALL_NO);
        return true;
    case IDC_REINSTALL_CANCEL:
    case IDCANCEL:
        end(WZ_REINSTALL_CANCEL);
        return true;
    default:
        return false;
    }
}

ReinstallQuestion::Answer ReinstallDialogQuestion::ask() {
    PageFactoryOf<ReinstallDialog> factory(context_);
    switch (runPageDialog(IDD_REINSTALL, nullptr, factory)) {
    case WZ_REINSTALL_YES:
        return RemoveFirst;
    case WZ_REINSTALL_NO:
        return InstallOver;
    default:
        return Cancel;
    }
}
