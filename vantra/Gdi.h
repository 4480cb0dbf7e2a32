#pragma once

#include <windows.h>

// Small owners of the drawing handles the splash form uses.

// Owns a GDI object (bitmap, font, brush) and deletes it on destruction.
class GdiObject {
public:
    explicit GdiObject(HGDIOBJ object = nullptr) : object_(object) {}
    ~GdiObject() {
        if (object_ != nullptr)
            DeleteObject(object_);
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    HGDIOBJ get() const { return object_; }

private:
    HGDIOBJ object_;
};

// A paint cycle of a window: BeginPaint on construction, EndPaint on destruction.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window) { dc_ = BeginPaint(window_, &paint_); }
    ~PaintScope() { EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    HDC dc() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_;
    HDC dc_;
};

// Selects an object into a device context and puts the previous one back on
// destruction.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selection() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR)
            SelectObject(dc_, previous_);
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A memory device context compatible with `dc`, deleted on destruction.
class MemoryDc {
public:
    explicit MemoryDc(HDC dc) : dc_(CreateCompatibleDC(dc)) {}
    ~MemoryDc() {
        if (dc_ != nullptr)
            DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;

    HDC get() const { return dc_; }

private:
    HDC dc_;
};
