#pragma once

#include "setup/records/helpers/ComPointer.h"

#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <string>

// The picture control on the left of a page (control 1040). By itself it shows
// the program's bitmap; given a picture file that loads, it draws that picture
// at its own size from the control's top-left corner, clipped by the control.
// The object subclasses the control for its lifetime.
class SidePicture {
public:
    explicit SidePicture(HWND control);
    // Puts the control's own window procedure back.
    ~SidePicture();
    SidePicture(const SidePicture&) = delete;
    SidePicture& operator=(const SidePicture&) = delete;

    // Loads the picture to show; an empty path or a file that does not load
    // leaves the program's bitmap.
    void setPicture(const std::string& path);
    bool hasPicture() const { return loaded_; }

private:
    static LRESULT CALLBACK controlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
    bool paint();

    HWND control_;
    ComPointer<IPicture> picture_;
    bool loaded_ = false;
    WNDPROC previousProc_;
    std::string path_;
};
