#pragma once
// A box filled with one colour, as GDI fills one most cheaply: an opaque text output of no text,
// which needs no brush made and deleted for each colour.
#include <windows.h>

namespace sq {

inline void FillOpaque(HDC dc, const RECT& box, COLORREF colour) {
    ::SetBkColor(dc, colour);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &box, nullptr, 0, nullptr);
}

}  // namespace sq
