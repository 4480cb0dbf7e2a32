#include "setup/wizard/framework/SidePicture.h"

#include "setup/wizard/framework/FailureCapture.h"
#include "setup/wizard/framework/Gdi.h"
#include "setup/wizard/framework/Picture.h"

SidePicture::SidePicture(HWND control) : control_(control) {
    SetWindowLongPtrA(control_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    previousProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        control_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SidePicture::controlProc)));
}

SidePicture::~SidePicture() {
    SetWindowLongPtrA(control_, GWLP_USERDATA, 0);
    SetWindowLongPtrA(control_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc_));
}

void SidePicture::setPicture(const std::string& path) {
    path_ = path;
    loaded_ = false;
    picture_.reset();
    if (!path_.empty())
        loaded_ = SUCCEEDED(loadPictureFile(path_, picture_));
}

bool SidePicture::paint() {
    if (!loaded_ || path_.empty())
        return false;
    const PixelSize size = pictureSizeInPixels(picture_.get());
    if (size.width <= 0 || size.height <= 0)
        return false;
    PaintCycle paint(control_);
    const RECT bounds = {0, 0, size.width, size.height};
    drawPicture(picture_.get(), paint.get(), bounds);
    return true;
}

LRESULT CALLBACK SidePicture::controlProc(HWND control, UINT message, WPARAM wParam,
                                          LPARAM lParam) {
    auto picture = reinterpret_cast<SidePicture*>(GetWindowLongPtrA(control, GWLP_USERDATA));
    if (picture == nullptr)
        return DefWindowProcA(control, message, wParam, lParam);
    try {
        if (message == WM_PAINT && picture->paint())
            return 0;
    } catch (...) {
        captureFailure();
        return 0;
    }
    return CallWindowProcA(picture->previousProc_, control, message, wParam, lParam);
}
