#pragma once
// The banner logo: a JPEG kept as a resource of the module, decoded once by OLE's picture loader.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include "common/com_ptr.h"

namespace sq {

class LogoPicture {
public:
    // Decodes the RCDATA resource `name` of `module`; false (and nothing to draw) when the
    // resource is missing or the picture cannot be decoded.
    bool Load(HINSTANCE module, const wchar_t* name);
    bool Loaded() const { return static_cast<bool>(picture_); }
    // Size of the picture in pixels.
    SIZE PixelSize() const { return size_; }
    // Draws the picture at its own size at the top-left of `box`, clipped to it, as an image
    // control does; with a DPI other than 96 it is scaled with the rest of the window.
    void Draw(HDC dc, const RECT& box, int dpi) const;

private:
    ComPtr<IPicture> picture_;
    HBITMAP bitmap_ = nullptr;  // owned by picture_
    SIZE size_{0, 0};
};

}  // namespace sq
