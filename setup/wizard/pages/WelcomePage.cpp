#include "setup/wizard/pages/WelcomePage.h"

#include "setup/config/SetupContext.h"
#include "setup/wizard/framework/Controls.h"
#include "setup/wizard/resources/Resources.h"

namespace {
const ControlText kTexts[] = {
    {0, "WelcomeTitle"},         {IDC_TEXT1, "WelcomeText1"},   {IDC_TEXT2, "WelcomeText2"},
    {IDC_TEXT3, "WelcomeText3"}, {IDC_TEXT4, "WelcomeText4"},   {IDC_BACK, "WelcomeBack"},
    {IDC_NEXT, "WelcomeNext"},   {IDC_CANCEL, "WelcomeCancel"},
};
}

bool WelcomePage::onInitDialog() {
    attachSidePicture();
    setTexts(kTexts);
    centre();
    if (!context().getFlagVariable("DlgLanguageDialog"))
        showControl(control(IDC_BACK), false);
    return true;
}
