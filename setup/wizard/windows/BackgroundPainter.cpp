#include "setup/wizard/windows/BackgroundPainter.h"

#include "setup/config/SetupContext.h"
#include "setup/wizard/text/BackgroundLayout.h"

#include <algorithm>
#include <string>

namespace {

// A 32-bit top-down bitmap of width x height whose pixels this process writes
// directly; null when it cannot be made.
HBITMAP createPixelBitmap(HDC dc, int width, int height, std::uint32_t*& pixels) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    pixels = static_cast<std::uint32_t*>(bits);
    return bitmap;
}

// Paints the fills straight into the pixels, clipped to the bitmap: the same
// picture as one pattern fill per band, without hundreds of drawing calls.
void fill(std::uint32_t* pixels, int width, int height, const ColourFill& area) {
    const std::uint32_t colour =
        (area.colour & 0xFF) << 16 | (area.colour & 0xFF00) | (area.colour >> 16 & 0xFF);
    const int left = std::max(area.x, 0);
    const int right = std::min(area.x + area.width, width);
    const int top = std::max(area.y, 0);
    const int bottom = std::min(area.y + area.height, height);
    for (int y = top; y < bottom; ++y)
        std::fill(pixels + static_cast<std::size_t>(y) * width + left,
                  pixels + static_cast<std::size_t>(y) * width + right, colour);
}

// The variables of one line of text: its text, font, colour, alignment and
// shadow switch share the line's prefix.
struct LineSettings {
    BackgroundLine line;
    const char* prefix;
};

const LineSettings kLines[] = {
    {BackgroundLine::Heading, "SWHeading"},
    {BackgroundLine::Subheading, "SWSubheading"},
    {BackgroundLine::Footer, "SWFooter"},
};

} // namespace

void BackgroundPainter::render(HWND window, int width, int height) {
    // Showing a window maximised reports the same size more than once.
    if (bitmap_ && width == width_ && height == height_)
        return;
    width_ = width;
    height_ = height;
    WindowDeviceContext windowDc(window);
    std::uint32_t* pixels = nullptr;
    Bitmap bitmap(createPixelBitmap(windowDc.get(), width, height, pixels));
    if (!bitmap)
        return;
    MemoryDeviceContext dc(windowDc.get());
    {
        SelectedObject selectedBitmap(dc.get(), bitmap.get());
        const bool gradient = context_.getFlagVariable("SWGradientFill");
        const std::uint32_t from = context_.getIntVariable("SWColorFrom", 16);
        const std::uint32_t to = gradient ? context_.getIntVariable("SWColorTo", 16) : 0;
        GdiFlush();
        for (const ColourFill& area : backgroundFills(width, height, gradient, from, to))
            fill(pixels, width, height, area);

        const int previousMode = SetBkMode(dc.get(), TRANSPARENT);
        const UINT previousAlignment = GetTextAlign(dc.get());
        const COLORREF previousColour = GetTextColor(dc.get());
        int headingLineHeight = 0;
        for (const LineSettings& settings : kLines) {
            const std::string prefix = settings.prefix;
            const LOGFONTA description = context_.getFontVariable(prefix + "Font");
            Font font(CreateFontIndirectA(&description));
            SelectedObject selectedFont(dc.get(), font.get());
            if (settings.line == BackgroundLine::Heading) {
                TEXTMETRICA metrics = {};
                GetTextMetricsA(dc.get(), &metrics);
                headingLineHeight = metrics.tmHeight + metrics.tmExternalLeading;
            }
            const std::string text = context_.getVariable(prefix, true);
            if (text.empty())
                continue;
            const std::string alignment = context_.getVariable(prefix + "Alignment", true);
            const TextAnchor anchor =
                placeLine(settings.line, alignment.empty() ? '\0' : alignment[0], width, height,
                          headingLineHeight);
            SetTextAlign(dc.get(), anchor.alignment);
            const int length = static_cast<int>(text.size());
            if (context_.getFlagVariable(prefix + "3D")) {
                SetTextColor(dc.get(), RGB(0, 0, 0));
                TextOutA(dc.get(), anchor.x + kShadowOffset, anchor.y + kShadowOffset, text.c_str(),
                         length);
            }
            SetTextColor(dc.get(), context_.getIntVariable(prefix + "Color", 16));
            TextOutA(dc.get(), anchor.x, anchor.y, text.c_str(), length);
        }
        SetTextColor(dc.get(), previousColour);
        SetTextAlign(dc.get(), previousAlignment);
        SetBkMode(dc.get(), previousMode);
    }
    bitmap_ = std::move(bitmap);
}

void BackgroundPainter::paint(HDC dc) const {
    if (!bitmap_)
        return;
    BITMAP description = {};
    if (GetObjectA(bitmap_.get(), sizeof description, &description) == 0)
        return;
    MemoryDeviceContext source(dc);
    SelectedObject selected(source.get(), bitmap_.get());
    BitBlt(dc, 0, 0, description.bmWidth, description.bmHeight, source.get(), 0, 0, SRCCOPY);
}
