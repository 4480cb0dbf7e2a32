#pragma once

#include <windows.h>

#include <utility>

// Owners of the drawing handles of the wizard's windows. Each is
// non-copyable and gives its handle back on destruction, on every path.

// A GDI object (bitmap, font, brush), deleted on destruction. Movable, so a
// window can keep the newest of a series (the background bitmap).
template <class Handle> class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {}
    ~GdiObject() { reset(); }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void reset() {
        if (handle_ != nullptr)
            DeleteObject(handle_);
        handle_ = nullptr;
    }

private:
    Handle handle_ = nullptr;
};

using Bitmap = GdiObject<HBITMAP>;
using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;

// A memory device context compatible with another one, deleted on destruction.
class MemoryDeviceContext {
public:
    explicit MemoryDeviceContext(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDeviceContext() {
        if (dc_ != nullptr)
            DeleteDC(dc_);
    }
    MemoryDeviceContext(const MemoryDeviceContext&) = delete;
    MemoryDeviceContext& operator=(const MemoryDeviceContext&) = delete;

    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// The device context of a window's client area (GetDC), released on destruction.
class WindowDeviceContext {
public:
    explicit WindowDeviceContext(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDeviceContext() {
        if (dc_ != nullptr)
            ReleaseDC(window_, dc_);
    }
    WindowDeviceContext(const WindowDeviceContext&) = delete;
    WindowDeviceContext& operator=(const WindowDeviceContext&) = delete;

    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// One paint cycle of a window: BeginPaint on construction, EndPaint on destruction.
class PaintCycle {
public:
    explicit PaintCycle(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintCycle() { EndPaint(window_, &paint_); }
    PaintCycle(const PaintCycle&) = delete;
    PaintCycle& operator=(const PaintCycle&) = delete;

    HDC get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_;
    HDC dc_;
};

// An object selected into a device context; the previous one is selected
// back on destruction.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR)
            SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};
