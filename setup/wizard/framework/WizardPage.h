#pragma once

#include "setup/wizard/framework/SidePicture.h"

#include <windows.h>

#include <memory>

class SetupContext;
class WizardPage;

// Makes the page object of a dialog when the dialog is being created. It is
// the creation parameter of every page and dialog of the wizard.
class PageFactory {
public:
    explicit PageFactory(SetupContext& context) : context_(context) {}
    virtual ~PageFactory() = default;
    PageFactory(const PageFactory&) = delete;
    PageFactory& operator=(const PageFactory&) = delete;

    virtual std::unique_ptr<WizardPage> createPage(HWND dialog) = 0;

    SetupContext& context() const { return context_; }

private:
    SetupContext& context_;
};

// The factory of one page class: `Page` is built from the dialog and the context.
template <class Page> class PageFactoryOf : public PageFactory {
public:
    using PageFactory::PageFactory;
    std::unique_ptr<WizardPage> createPage(HWND dialog) override {
        return std::make_unique<Page>(dialog, context());
    }
};

// One static text or button of a page and the variable whose expanded value it
// shows. A page lists its texts in a table and hands it to setTexts.
struct ControlText {
    int controlId; // 0 stands for the dialog's caption
    const char* variable;
};

// The object behind a page or dialog of the wizard. It lives from
// WM_INITDIALOG to WM_DESTROY of its dialog, which owns it.
//
// The common behaviour of the wizard's pages is built in: Cancel (and Esc and
// the close box) asks ExitConfirmation and ends the page with WZ_EXIT when the
// user confirms; Back ends it with WZ_BACK; Next with WZ_NEXT. A page that
// wants other rules overrides onCommand and calls the base for the rest.
class WizardPage {
public:
    WizardPage(HWND dialog, SetupContext& context);
    virtual ~WizardPage() = default;
    WizardPage(const WizardPage&) = delete;
    WizardPage& operator=(const WizardPage&) = delete;

    // True lets the dialog manager set the focus; false means the page did.
    virtual bool onInitDialog();
    // True when the command was handled.
    virtual bool onCommand(int id, int notification);
    virtual bool onNotify(WPARAM /*wParam*/, LPARAM /*lParam*/) { return false; }
    // Releases the side picture, if the page has one.
    virtual void onDestroy();
    virtual void onTimer(UINT_PTR /*timerId*/) {}

    HWND dialog() const { return dialog_; }
    SetupContext& context() const { return context_; }

protected:
    // Sets each control's text (or the caption) from its variable, expanded.
    // With `keepTemplateText`, an empty variable leaves the template's text.
    template <std::size_t N>
    void setTexts(const ControlText (&texts)[N], bool keepTemplateText = false) {
        setTexts(texts, N, keepTemplateText);
    }
    void setTexts(const ControlText* texts, std::size_t count, bool keepTemplateText);
    // Shows the picture of CustomDlgBitmap_Pathname in control 1040, or
    // leaves the template's bitmap there when there is none.
    void attachSidePicture();
    // Moves the dialog to the middle of the desktop.
    void centre();
    // Ends the page's dialog with a command code.
    void end(int command);
    // Asks whether to leave the setup; ends the page with WZ_EXIT on yes.
    void confirmExit();
    HWND control(int id) const { return GetDlgItem(dialog_, id); }

private:
    HWND dialog_;
    SetupContext& context_;
    std::unique_ptr<SidePicture> sidePicture_;
};

// Runs a page or dialog of the wizard modally: the template `templateId` of
// the program's resources, `owner` disabled meanwhile (may be null), the page
// made by `factory`. Returns the code the page ended with, or -1 when the
// dialog could not be created. A failure inside the page is thrown here, after
// the dialog is gone.
INT_PTR runPageDialog(int templateId, HWND owner, PageFactory& factory);
