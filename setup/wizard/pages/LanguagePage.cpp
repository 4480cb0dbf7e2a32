#include "setup/wizard/pages/LanguagePage.h"

#include "setup/config/SetupContext.h"
#include "setup/install/WizardCommands.h"
#include "setup/wizard/framework/Controls.h"
#include "setup/wizard/resources/Resources.h"

namespace {
const ControlText kTexts[] = {
    {0, "LanguageTitle"},
    {IDC_TEXT1, "LanguageText1"},
    {IDC_NEXT, "LanguageNext"},
    {IDC_CANCEL, "LanguageCancel"},
};
}

bool LanguagePage::onInitDialog() {
    attachSidePicture();
    setTexts(kTexts);
    HWND list = control(IDC_LIST);
    std::string name;
    for (int index = 0; context().languageName(index, name); ++index)
        addListItem(list, name);
    selectListItem(list, context().getVariable("DefaultSetupLanguage", true));
    centre();
    return true;
}

bool LanguagePage::onCommand(int id, int notification) {
    if (id != IDC_NEXT)
        return WizardPage::onCommand(id, notification);
    const std::string selected = selectedListText(control(IDC_LIST));
    if (!selected.empty() && selected != context().getVariable("DefaultSetupLanguage", true))
        context().loadLanguage(selected);
    end(WZ_NEXT);
    return true;
}
