#pragma once
// The banner logo: a JPEG kept as a resource of the module, decoded by OLE's picture loader when
// it is first drawn. The window may never be shown, and the loader takes several milliseconds
// to start its imaging component, which at load would lengthen the player's start.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include "common/win32_com_ptr.h"

namespace sq {

class LogoPicture {
public:
    // The picture is the RCDATA resource `name` (a string that outlives the object) of `module`.
    void Load(HINSTANCE module, const wchar_t* name);
    // Draws the picture at its own size at the top-left of `box`, clipped to it, as an image
    // control does; with a DPI other than 96 it is scaled with the rest of the window. Nothing
    // is drawn when the resource is missing or cannot be decoded.
    void Draw(HDC dc, const RECT& box, int dpi);

private:
    bool Decode();

    HINSTANCE module_ = nullptr;
    const wchar_t* name_ = nullptr;
    bool decoded_ = false;
    ComPtr<IPicture> picture_;
    HBITMAP bitmap_ = nullptr;  // owned by picture_
    SIZE size_{0, 0};
};

}  // namespace sq
