#pragma once

#include "setup/wizard/framework/Gdi.h"

#include <windows.h>

class SetupContext;

// The setup window's backdrop: a vertical gradient (or a flat colour) with a
// heading, a subheading and a footer, each in its own font, colour and
// alignment, optionally with a drop shadow. The picture is rendered once per
// client size into an off-screen bitmap; painting copies that bitmap whole.
class BackgroundPainter {
public:
    explicit BackgroundPainter(SetupContext& context) : context_(context) {}

    // Renders the backdrop for a client area of width x height of `window`,
    // replacing the previous rendering; a rendering of that size is kept.
    void render(HWND window, int width, int height);
    // Copies the rendering to the paint context at (0, 0). Before the first
    // rendering there is nothing to copy, and nothing is painted.
    void paint(HDC dc) const;

    HBITMAP bitmap() const { return bitmap_.get(); }

private:
    SetupContext& context_;
    Bitmap bitmap_;
    int width_ = 0;
    int height_ = 0;
};
