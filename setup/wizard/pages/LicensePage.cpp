#include "setup/wizard/pages/LicensePage.h"

#include "setup/install/WizardCommands.h"
#include "setup/wizard/resources/Resources.h"

namespace {
const ControlText kTexts[] = {
    {0, "LicenseTitle"},       {IDC_TEXT1, "LicenseText1"},     {IDC_TEXT2, "LicenseText2"},
    {IDC_BACK, "LicenseBack"}, {IDC_LICENSE_YES, "LicenseYes"}, {IDC_LICENSE_NO, "LicenseNo"},
};
}

bool LicensePage::onInitDialog() {
    setTexts(kTexts);
    return showFile("License_Pathname");
}

bool LicensePage::onCommand(int id, int notification) {
    switch (id) {
    case IDC_LICENSE_YES:
        end(WZ_NEXT);
        return true;
    case IDC_LICENSE_NO:
        confirmExit();
        return true;
    default:
        return WizardPage::onCommand(id, notification);
    }
}
