#include "setup/wizard/pages/ReadmePage.h"

#include "setup/config/SetupContext.h"
#include "setup/wizard/framework/Controls.h"
#include "setup/wizard/pages/RichTextFile.h"
#include "setup/wizard/resources/Resources.h"

namespace {
const ControlText kTexts[] = {
    {0, "ReadmeTitle"},       {IDC_TEXT1, "ReadmeText1"},   {IDC_BACK, "ReadmeBack"},
    {IDC_NEXT, "ReadmeNext"}, {IDC_CANCEL, "ReadmeCancel"},
};
}

bool ReadmePage::onInitDialog() {
    setTexts(kTexts);
    loadRichTextFile(control(IDC_EDIT), context().getVariable("Readme_Pathname", true));
    focusControl(control(IDC_EDIT));
    centre();
    return false;
}
