#include "setup/wizard/windows/SplashWindow.h"

#include "setup/start/errors/WinException.h"
#include "setup/wizard/framework/Gdi.h"
#include "setup/wizard/framework/Picture.h"
#include "setup/wizard/framework/ProcessValues.h"

void SplashWindow::registerClass() {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = &WindowObject::windowProc;
    windowClass.hInstance = instanceHandle();
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(1);
    windowClass.lpszClassName = kSplashWindowClassName;
    if (RegisterClassExA(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw WinException("RegisterClassEx");
}

bool SplashWindow::create(HWND owner, const std::string& picturePath) {
    loaded_ = SUCCEEDED(loadPictureFile(picturePath, picture_));
    if (!loaded_)
        return false;
    const PixelSize size = pictureSizeInPixels(picture_.get());
    RECT bounds = {0, 0, size.width, size.height};
    AdjustWindowRectEx(&bounds, WS_POPUP, FALSE, WS_EX_DLGMODALFRAME);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    if (CreateWindowExA(WS_EX_DLGMODALFRAME, kSplashWindowClassName, "", WS_POPUP, bounds.left,
                        bounds.top, width, height, owner, nullptr, instanceHandle(),
                        this) == nullptr)
        return false;
    SetWindowPos(window(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) >> 1,
                 (GetSystemMetrics(SM_CYSCREEN) - height) >> 1, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

void SplashWindow::onPaint() {
    PaintCycle paint(window());
    const PixelSize size = pictureSizeInPixels(picture_.get());
    if (loaded_ && size.width > 0 && size.height > 0) {
        const RECT bounds = {0, 0, size.width, size.height};
        drawPicture(picture_.get(), paint.get(), bounds);
    }
}
