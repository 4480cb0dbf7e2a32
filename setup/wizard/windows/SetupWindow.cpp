#include "setup/wizard/windows/SetupWindow.h"

#include "setup/config/SetupContext.h"
#include "setup/install/WizardCommands.h"
#include "setup/install/base/Restart.h"
#include "setup/install/base/ProgramStart.h"
#include "setup/records/text/PathText.h"
#include "setup/start/errors/WinException.h"
#include "setup/wizard/framework/FailureCapture.h"
#include "setup/wizard/framework/Gdi.h"
#include "setup/wizard/framework/ProcessValues.h"
#include "setup/wizard/framework/WizardPage.h"
#include "setup/wizard/resources/Resources.h"
#include "setup/wizard/windows/SystemRequirements.h"
#include "setup/wizard/windows/WizardSteps.h"

#include <shellapi.h>

#include <climits>
#include <optional>

namespace {

constexpr UINT_PTR kSplashTimer = 1;
// Language file texts of the restart question.
constexpr int kRestartCaption = 10;
constexpr int kRestartQuestion = 11;

// The splash's duration in milliseconds: the configured seconds, 2 when none
// are given, at most what the timer can hold.
UINT splashMilliseconds(std::uint32_t seconds) {
    if (seconds == 0)
        seconds = 2;
    if (seconds > UINT_MAX / 1000)
        return UINT_MAX;
    return seconds * 1000;
}

} // namespace

SetupWindow::SetupWindow(SetupContext& context, PageSet& pages)
    : context_(context), pages_(pages), background_(context), unattended_(context.unattended()) {}

SetupWindow::~SetupWindow() {
    // The waiter's thread uses the object until it has posted; one that still
    // waits for a viewer when the run ends is left to the process's end.
    if (readmeWaiter_ && readmeWaiter_->wait(1000) != WAIT_OBJECT_0)
        readmeWaiter_.release();
    readmeWaiter_.reset();
}

void SetupWindow::registerClass() {
    const int largeWidth = GetSystemMetrics(SM_CXICON);
    const int largeHeight = GetSystemMetrics(SM_CYICON);
    const int smallWidth = GetSystemMetrics(SM_CXSMICON);
    const int smallHeight = GetSystemMetrics(SM_CYSMICON);
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = &WindowObject::windowProc;
    windowClass.hInstance = instanceHandle();
    windowClass.hIcon =
        static_cast<HICON>(LoadImageA(instanceHandle(), MAKEINTRESOURCEA(IDI_SETUP), IMAGE_ICON,
                                      largeWidth, largeHeight, LR_DEFAULTCOLOR));
    windowClass.hIconSm =
        static_cast<HICON>(LoadImageA(instanceHandle(), MAKEINTRESOURCEA(IDI_SETUP), IMAGE_ICON,
                                      smallWidth, smallHeight, LR_DEFAULTCOLOR));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(1);
    windowClass.lpszClassName = kMainWindowClassName;
    if (RegisterClassExA(&windowClass) == 0)
        throw WinException("RegisterClassEx");
}

void SetupWindow::create() {
    const std::string title = context_.getVariable("SWWindowTitle", true);
    const HWND created = CreateWindowExA(
        0, kMainWindowClassName, title.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instanceHandle(), this);
    if (created == nullptr) {
        rethrowCapturedFailure();
        throw WinException("Can't create application window");
    }
}

bool SetupWindow::onCreate() {
    if (unattended_ || !context_.getFlagVariable("DlgSplashWindow")) {
        post(WZ_START);
        return true;
    }
    SplashWindow::registerClass();
    if (!splash_.create(window(), context_.getVariable("SplWBitmap_Pathname", true))) {
        post(WZ_START);
        return true;
    }
    ShowWindow(splash_.window(), SW_SHOW);
    const UINT milliseconds =
        splashMilliseconds(context_.getIntVariable("SplWBitmap_Duration", 10));
    timerId_ = SetTimer(window(), kSplashTimer, milliseconds, nullptr);
    if (timerId_ == 0)
        post(WZ_START);
    return true;
}

void SetupWindow::onTimer() {
    if (timerId_ != 0)
        KillTimer(window(), timerId_);
    timerId_ = 0;
    post(WZ_START);
    if (splash_.window() != nullptr)
        ShowWindow(splash_.window(), SW_HIDE);
}

void SetupWindow::onSize(int width, int height) {
    background_.render(window(), width, height);
}

void SetupWindow::onPaint() {
    PaintCycle paint(window());
    background_.paint(paint.get());
}

void SetupWindow::onCommand(int command) {
    switch (command) {
    case WZ_START:
        start();
        return;
    case WZ_NEXT:
        move(true);
        return;
    case WZ_BACK:
        move(false);
        return;
    case WZ_COMPLETE:
        complete();
        return;
    case WZ_RUN_APPLICATION:
        runApplication();
        return;
    case WZ_EXIT:
        exit();
        return;
    default:
        if (const WizardStep* step = stepOfShowCode(command))
            show(step->page);
        return;
    }
}

void SetupWindow::start() {
    if (!unattended_ && context_.getFlagVariable("DlgSetupWindow")) {
        ShowWindow(window(), SW_MAXIMIZE);
        UpdateWindow(window());
    }
    if (!unattended_ && !context_.getFlagVariable("SysReqAnyWindows") &&
        !checkSystemRequirements(context_, window()))
        return;
    const WizardStep* first = stepOfPage(context_.firstPage());
    SendMessageA(window(), first != nullptr ? first->showCode : WZ_EXIT, 0, 0);
}

void SetupWindow::move(bool forward) {
    const std::optional<PageIndex> target = forward ? context_.nextPage() : context_.previousPage();
    if (target == PageIndex::Completion) {
        SendMessageA(window(), WZ_COMPLETE, 0, 0);
        return;
    }
    // Back from the first page finds no target and ends the run, as Exit does.
    const WizardStep* step = target ? stepOfPage(*target) : nullptr;
    SendMessageA(window(), step != nullptr ? step->showCode : WZ_EXIT, 0, 0);
}

void SetupWindow::show(PageIndex page) {
    context_.setCurrentPage(page);
    const WizardStep* step = stepOfPage(page);
    std::unique_ptr<PageFactory> factory = pages_.factoryFor(page, context_);
    INT_PTR result = -1;
    if (step != nullptr && factory)
        result = runPageDialog(step->templateId, window(), *factory);
    // A page that could not be shown ends the run as Exit does, rather than
    // leaving a process without any window behind.
    post(result == -1 ? WZ_EXIT : static_cast<int>(result));
}

void SetupWindow::complete() {
    if (context_.getFlagVariable("Imitation")) {
        post(WZ_EXIT);
        return;
    }
    context_.setCurrentPage(PageIndex::Completion);
    if (context_.viewReadmeRequested()) {
        const std::string readme = context_.getVariable("FinalReadmePathname", true);
        SHELLEXECUTEINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = SEE_MASK_NOCLOSEPROCESS;
        info.lpFile = readme.c_str();
        info.nShow = SW_SHOWNORMAL;
        if (ShellExecuteExA(&info)) {
            readmeWaiter_ = std::make_unique<ReadmeWaiter>(window(), info.hProcess);
            readmeWaiter_->start();
            return;
        }
    }
    runApplication();
}

void SetupWindow::runApplication() {
    context_.setCurrentPage(PageIndex::Completion);
    if (context_.runApplicationRequested() && !restartPending()) {
        const std::string path = context_.getVariable("Application_Pathname", true);
        if (path.find(".exe") != std::string::npos) {
            startProgram(path);
        } else {
            const std::string directory = splitPath(path).directory;
            SHELLEXECUTEINFOA info = {};
            info.cbSize = sizeof info;
            info.fMask = SEE_MASK_NOCLOSEPROCESS;
            info.lpFile = path.c_str();
            info.lpDirectory = directory.empty() ? nullptr : directory.c_str();
            info.nShow = SW_SHOWNORMAL;
            if (ShellExecuteExA(&info) && info.hProcess != nullptr)
                CloseHandle(info.hProcess);
        }
    }
    post(WZ_EXIT);
}

void SetupWindow::exit() {
    if (restartPending()) {
        const std::string question = context_.languageString(kRestartQuestion);
        const std::string caption = context_.languageString(kRestartCaption);
        const int answer =
            MessageBoxA(window(), question.c_str(), caption.c_str(), MB_YESNO | MB_ICONQUESTION);
        rethrowCapturedFailure();
        if (answer == IDYES)
            restartComputer();
    }
    PostMessageA(window(), WM_CLOSE, 0, 0);
}

void SetupWindow::post(int command) {
    PostMessageA(window(), static_cast<UINT>(command), 0, 0);
}
