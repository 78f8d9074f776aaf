#pragma once
// Device contexts borrowed from a window, for painting or measuring, and objects selected into a
// DC for a while: each must be given back on every way out of the routine.
#include <windows.h>

namespace sq {

// A device context that a window lends; the class that borrows it gives it back.
class LentDc {
public:
    LentDc(const LentDc&) = delete;
    LentDc& operator=(const LentDc&) = delete;

    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

protected:
    LentDc(HWND window, HDC dc) noexcept : window_(window), dc_(dc) {}
    ~LentDc() = default;

    HWND window_;
    HDC dc_;
};

class WindowDc final : public LentDc {
public:
    explicit WindowDc(HWND window) noexcept : LentDc(window, ::GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ::ReleaseDC(window_, dc_);
    }
};

// The paint of a window's invalid part. EndPaint validates it, so it is called even when no DC
// came.
class PaintDc final : public LentDc {
public:
    explicit PaintDc(HWND window) noexcept : LentDc(window, nullptr) { dc_ = ::BeginPaint(window, &paint_); }
    ~PaintDc() { ::EndPaint(window_, &paint_); }

private:
    PAINTSTRUCT paint_{};
};

class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(dc && object ? ::SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() {
        if (old_ && old_ != HGDI_ERROR) ::SelectObject(dc_, old_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace sq
