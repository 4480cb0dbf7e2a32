#include "vantra/Form1.h"

#include "vantra/FailureReport.h"
#include "vantra/LaunchSteps.h"
#include "vantra/Resources.h"

namespace {

const char formClassName[] = "VantraForm";
const int formWidth = 312;
const int formHeight = 234;

const int image1Width = 320;
const int image1Height = 240;

// Wide text, drawn with the wide calls, so that it shows the same whatever
// the system's code page is.
const wchar_t label1Text[] = L"正在启动程序，请稍候...";
const RECT label1Bounds = {96, 216, 96 + 161, 216 + 17};
const COLORREF label1Colour = RGB(224, 224, 224);

const UINT_PTR timer1Id = 1;
const UINT timer1Interval = 1000;

// The label's font: 9 points in the Chinese (PRC) character set, so that the
// font mapper picks a face that has the message's characters.
HFONT createLabelFont() {
    LOGFONTA font = {};
    HDC screen = GetDC(nullptr);
    font.lfHeight = -MulDiv(9, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = GB2312_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lstrcpynA(font.lfFaceName, "SimSun", LF_FACESIZE);
    return CreateFontIndirectA(&font);
}

} // namespace

Form1::Form1(HINSTANCE instance)
    : instance_(instance), picture_(LoadImageA(instance, MAKEINTRESOURCEA(IDB_SPLASH), IMAGE_BITMAP,
                                               0, 0, LR_CREATEDIBSECTION)),
      font_(createLabelFont()) {}

Form1::~Form1() {
    if (window_ != nullptr)
        DestroyWindow(window_);
}

bool Form1::load() {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance_;
    windowClass.hIcon = LoadIconA(instance_, MAKEINTRESOURCEA(IDI_PROGRAM));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = formClassName;
    if (RegisterClassExA(&windowClass) == 0)
        return false;

    const int left = (GetSystemMetrics(SM_CXSCREEN) - formWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - formHeight) / 2;
    if (CreateWindowExA(WS_EX_TOOLWINDOW, formClassName, "Form1", WS_POPUP, left, top, formWidth,
                        formHeight, nullptr, nullptr, instance_, this) == nullptr)
        return false;
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
    return SetTimer(window_, timer1Id, timer1Interval, nullptr) != 0;
}

LRESULT CALLBACK Form1::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto form = static_cast<Form1*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        form->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto form = reinterpret_cast<Form1*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (form == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        form->window_ = nullptr;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    try {
        return form->onMessage(message, wParam, lParam);
    } catch (...) {
        form->exitCode_ = 1;
        DestroyWindow(window);
        return 0;
    }
}

LRESULT Form1::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the picture covers the whole client area
    case WM_PAINT:
        onPaint();
        return 0;
    case WM_TIMER:
        if (wParam == timer1Id)
            onTimer();
        return 0;
    case WM_DESTROY:
        KillTimer(window_, timer1Id);
        PostQuitMessage(exitCode_);
        return 0;
    default:
        return DefWindowProcA(window_, message, wParam, lParam);
    }
}

void Form1::onPaint() {
    PaintScope paint(window_);
    const HDC dc = paint.dc();
    if (picture_.get() != nullptr) {
        MemoryDc source(dc);
        Selection picture(source.get(), picture_.get());
        BitBlt(dc, 0, 0, image1Width, image1Height, source.get(), 0, 0, SRCCOPY);
    } else {
        RECT client;
        GetClientRect(window_, &client);
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }

    Selection font(dc, font_.get() != nullptr ? font_.get() : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, label1Colour);
    ExtTextOutW(dc, label1Bounds.left, label1Bounds.top, ETO_CLIPPED, &label1Bounds, label1Text,
                static_cast<UINT>(lstrlenW(label1Text)), nullptr);
}

// The launch steps run once: the timer is stopped first, so that a tick that
// arrives while an automation call waits for the spreadsheet application
// cannot start them a second time.
void Form1::onTimer() {
    KillTimer(window_, timer1Id);
    const LaunchOutcome outcome = runLaunchSteps();
    if (outcome.succeeded) {
        exitCode_ = 0;
    } else {
        exitCode_ = 1;
        showFailure(window_, outcome.failedStep, outcome.failure.code, outcome.failure.description);
    }
    if (window_ != nullptr)
        DestroyWindow(window_);
}
