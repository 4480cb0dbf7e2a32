#pragma once

#include "setup/config/PageIndex.h"
#include "setup/wizard/framework/WindowObject.h"
#include "setup/wizard/windows/BackgroundPainter.h"
#include "setup/wizard/windows/ReadmeWaiter.h"
#include "setup/wizard/windows/SplashWindow.h"

#include <memory>

class PageSet;
class SetupContext;

// The setup's main window and the wizard that hangs off it. The window paints
// the full-screen backdrop (when the package wants one), opens the splash,
// and drives the wizard as a command interpreter: every page is a modal
// dialog that ends with a command code; the code is posted back to this
// window, which works out the next step from the context's page slots. Each
// step thus starts afresh from the message loop.
//
// Commands: WZ_START (after the splash), WZ_NEXT, WZ_BACK, the show codes,
// WZ_COMPLETE (readme and application), WZ_RUN_APPLICATION and WZ_EXIT
// (restart question, then the window closes and the message loop ends).
class SetupWindow : public MainWindowObject {
public:
    SetupWindow(SetupContext& context, PageSet& pages);
    // Deletes the readme waiter (once its thread is done), the backdrop and
    // the splash, in that order.
    ~SetupWindow() override;

    // Registers the main window class. Throws WinException "RegisterClassEx".
    static void registerClass();

    // Creates the window, hidden, titled with SWWindowTitle. Throws
    // WinException "Can't create application window".
    void create();

    const BackgroundPainter& background() const { return background_; }

protected:
    bool onCreate() override;
    void onSize(int width, int height) override;
    void onPaint() override;
    void onCommand(int command) override;
    void onTimer() override;

private:
    void start();
    void move(bool forward);
    void show(PageIndex page);
    void complete();
    void runApplication();
    void exit();
    void post(int command);

    SetupContext& context_;
    PageSet& pages_;
    SplashWindow splash_;
    BackgroundPainter background_;
    std::unique_ptr<ReadmeWaiter> readmeWaiter_;
    bool unattended_;
};
