#include "setup/wizard/pages/UserInfoPage.h"

#include "setup/config/SetupContext.h"
#include "setup/wizard/framework/Controls.h"
#include "setup/wizard/resources/Resources.h"

namespace {

const ControlText kTexts[] = {
    {0, "UserInfoTitle"},         {IDC_TEXT1, "UserInfoText1"},   {IDC_TEXT2, "UserInfoText2"},
    {IDC_TEXT3, "UserInfoText3"}, {IDC_TEXT4, "UserInfoText4"},   {IDC_BACK, "UserInfoBack"},
    {IDC_NEXT, "UserInfoNext"},   {IDC_CANCEL, "UserInfoCancel"},
};

// The fields and the variables that keep them.
const ControlText kFields[] = {
    {IDC_EDIT, "UserName"},
    {IDC_EDIT2, "UserCompany"},
    {IDC_EDIT3, "UserSerial"},
};

} // namespace

bool UserInfoPage::onInitDialog() {
    attachSidePicture();
    setTexts(kTexts);
    for (const ControlText& field : kFields)
        setControlText(control(field.controlId), context().getVariable(field.variable, false));
    centre();
    return true;
}

bool UserInfoPage::onCommand(int id, int notification) {
    if (id == IDC_NEXT || id == IDC_BACK)
        keepFields();
    return WizardPage::onCommand(id, notification);
}

void UserInfoPage::keepFields() {
    for (const ControlText& field : kFields)
        context().setVariable(field.variable, controlText(control(field.controlId)));
}
