#include "setup/wizard/pages/StartSummaryPage.h"

#include "setup/config/SetupContext.h"
#include "setup/wizard/framework/Controls.h"
#include "setup/wizard/resources/Resources.h"

namespace {
const ControlText kTexts[] = {
    {0, "StartTitle"},       {IDC_TEXT1, "StartSText1"}, {IDC_TEXT2, "StartSText2"},
    {IDC_BACK, "StartBack"}, {IDC_NEXT, "StartNext"},    {IDC_CANCEL, "StartCancel"},
};
}

bool StartSummaryPage::onInitDialog() {
    attachSidePicture();
    setTexts(kTexts);
    SetupContext& settings = context();
    const std::string summary = settings.getVariable("StartEText1", true) + "\r\n  " +
                                settings.getVariable("AppDir", true) + "\r\n\r\n" +
                                settings.getVariable("StartEText2", true) + "\r\n  " +
                                settings.getVariable("OutputProgramGroup", true);
    setControlText(control(IDC_EDIT), summary);
    centre();
    return true;
}
