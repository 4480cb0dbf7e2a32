#include "setup/wizard/pages/FileInUseDialog.h"

#include "setup/install/WizardCommands.h"
#include "setup/wizard/framework/Controls.h"
#include "setup/wizard/resources/Resources.h"

namespace {
const ControlText kTexts[] = {
    {0, "InUseDialogTitle"},           {IDC_RETRY, "InUseDialogRetry"},
    {IDC_CANCEL, "InUseDialogCancel"}, {IDC_ABORT, "InUseDialogAbort"},
    {IDC_TEXT1, "InUseDialogText1"},   {IDC_TEXT2, "InUseFilePathname"},
    {IDC_TEXT3, "InUseDialogText2"},
};
}

bool FileInUseDialog::onInitDialog() {
    setTexts(kTexts);
    setIcon(control(IDC_WARNING_ICON), LoadIconA(nullptr, IDI_EXCLAMATION));
    centre();
    return true;
}

bool FileInUseDialog::onCommand(int id, int /*notification*/) {
    switch (id) {
    case IDC_RETRY:
        end(WZ_INUSE_RETRY);
        return true;
    case IDC_CANCEL:
        end(WZ_INUSE_CANCEL);
        return true;
    case IDC_ABORT:
        end(WZ_INUSE_ABORT);
        return true;
    default:
        return false;
    }
}

InUseQuestion::Answer FileInUseDialogQuestion::ask(const std::string& /*path*/) {
    PageFactoryOf<FileInUseDialog> factory(context_);
    switch (runPageDialog(IDD_FILE_IN_USE, nullptr, factory)) {
    case WZ_INUSE_RETRY:
        return Retry;
    case WZ_INUSE_ABORT:
        return Abort;
    default:
        return Cancel;
    }
}
