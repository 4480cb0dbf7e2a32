#include "setup/wizard/pages/FinishPage.h"

#include "setup/config/SetupContext.h"
#include "setup/install/WizardCommands.h"
#include "setup/wizard/framework/Controls.h"
#include "setup/wizard/resources/Resources.h"

namespace {
const ControlText kTexts[] = {
    {0, "FinishTitle"},       {IDC_TEXT1, "FinishText1"},   {IDC_TEXT2, "FinishText2"},
    {IDC_BACK, "FinishBack"}, {IDC_FINISH, "FinishFinish"},
};
}

bool FinishPage::onInitDialog() {
    attachSidePicture();
    setTexts(kTexts);
    struct Box {
        int id;
        bool shown;
        bool checked;
        const char* caption;
    };
    const Box boxes[] = {
        {IDC_CHECK_README, context().showViewReadmeCheckBox(), context().viewReadmeChecked(),
         "FinishCheck1"},
        {IDC_CHECK_APPLICATION, context().showRunApplicationCheckBox(),
         context().runApplicationChecked(), "FinishCheck2"},
    };
    for (const Box& box : boxes) {
        HWND checkBox = control(box.id);
        showControl(checkBox, box.shown);
        if (box.shown)
            setControlText(checkBox, context().getVariable(box.caption, true));
        setChecked(checkBox, box.shown && box.checked);
    }
    centre();
    return true;
}

// Finish is the only way on: Back is disabled, and Esc and the close box do
// nothing.
bool FinishPage::onCommand(int id, int /*notification*/) {
    switch (id) {
    case IDC_FINISH:
        context().setViewReadmeRequested(isChecked(control(IDC_CHECK_README)));
        context().setRunApplicationRequested(isChecked(control(IDC_CHECK_APPLICATION)));
        end(WZ_NEXT);
        return true;
    case IDCANCEL:
        return true;
    default:
        return false;
    }
}
