#include "setup/wizard/framework/WizardPage.h"

#include "setup/config/SetupContext.h"
#include "setup/install/WizardCommands.h"
#include "setup/wizard/framework/Controls.h"
#include "setup/wizard/framework/Desktop.h"
#include "setup/wizard/framework/ExitConfirmation.h"
#include "setup/wizard/framework/FailureCapture.h"
#include "setup/wizard/framework/ProcessValues.h"
#include "setup/wizard/resources/Resources.h"

WizardPage::WizardPage(HWND dialog, SetupContext& context) : dialog_(dialog), context_(context) {}

bool WizardPage::onInitDialog() {
    centre();
    return true;
}

bool WizardPage::onCommand(int id, int /*notification*/) {
    switch (id) {
    case IDC_CANCEL:
        confirmExit();
        return true;
    case IDC_BACK:
        end(WZ_BACK);
        return true;
    case IDC_NEXT:
        end(WZ_NEXT);
        return true;
    default:
        return false;
    }
}

void WizardPage::onDestroy() {
    sidePicture_.reset();
}

void WizardPage::setTexts(const ControlText* texts, std::size_t count, bool keepTemplateText) {
    for (std::size_t i = 0; i < count; ++i) {
        const std::string text = context_.getVariable(texts[i].variable, true);
        if (text.empty() && keepTemplateText)
            continue;
        setControlText(texts[i].controlId == 0 ? dialog_ : control(texts[i].controlId), text);
    }
}

void WizardPage::attachSidePicture() {
    HWND pictureControl = control(IDC_SIDE_PICTURE);
    if (pictureControl == nullptr)
        return;
    sidePicture_ = std::make_unique<SidePicture>(pictureControl);
    sidePicture_->setPicture(context_.getVariable("CustomDlgBitmap_Pathname", true));
}

void WizardPage::centre() {
    centreOnDesktop(dialog_);
}

void WizardPage::end(int command) {
    EndDialog(dialog_, command);
}

void WizardPage::confirmExit() {
    if (runExitConfirmation(dialog_, context_) == WZ_EXIT)
        end(WZ_EXIT);
}

namespace {

WizardPage* pageOf(HWND dialog) {
    return reinterpret_cast<WizardPage*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

INT_PTR handle(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    WizardPage* page = pageOf(dialog);
    if (message >= WM_USER && page != nullptr && page->onCommand(LOWORD(wParam), HIWORD(wParam)))
        return TRUE;

    switch (message) {
    case WM_INITDIALOG: {
        auto factory = reinterpret_cast<PageFactory*>(lParam);
        std::unique_ptr<WizardPage> created = factory->createPage(dialog);
        page = created.release();
        SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(page));
        return page->onInitDialog() ? TRUE : FALSE;
    }
    case WM_COMMAND:
        return page != nullptr && page->onCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    case WM_NOTIFY:
        return page != nullptr && page->onNotify(wParam, lParam) ? TRUE : FALSE;
    case WM_TIMER:
        if (page != nullptr)
            page->onTimer(wParam);
        return TRUE;
    case WM_DRAWITEM:
    case WM_MEASUREITEM: {
        if (page == nullptr)
            return FALSE;
        // Both structures start with the control type and the control id.
        const UINT controlId = reinterpret_cast<const UINT*>(lParam)[1];
        return SendDlgItemMessageA(dialog, static_cast<int>(controlId), message, wParam, lParam);
    }
    case WM_CTLCOLORSTATIC: {
        HWND staticControl = reinterpret_cast<HWND>(lParam);
        if (page == nullptr || GetWindowLongPtrA(staticControl, GWLP_USERDATA) == 0)
            return FALSE;
        return SendMessageA(staticControl, message, wParam, lParam);
    }
    case WM_DESTROY:
        SetWindowLongPtrA(dialog, GWLP_USERDATA, 0);
        if (page != nullptr) {
            // The page goes even when its last handler fails.
            std::unique_ptr<WizardPage> owned(page);
            owned->onDestroy();
        }
        return FALSE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK pageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return handle(dialog, message, wParam, lParam);
    } catch (...) {
        captureFailure();
        return FALSE;
    }
}

} // namespace

INT_PTR runPageDialog(int templateId, HWND owner, PageFactory& factory) {
    const INT_PTR result = DialogBoxParamA(instanceHandle(), MAKEINTRESOURCEA(templateId), owner,
                                           pageDialogProc, reinterpret_cast<LPARAM>(&factory));
    rethrowCapturedFailure();
    return result == 0 ? -1 : result;
}
