#pragma once
// Where our code is called by COM, a script host or the player, nothing may unwind out: an
// exception becomes the HRESULT a caller understands, and leaves a trace.
#include <windows.h>

namespace sq {

// The HRESULT of the exception being handled, after its trace line: E_OUTOFMEMORY for
// std::bad_alloc, E_UNEXPECTED for anything else. Only for a catch block: the one copy serves
// every boundary of the DLL.
HRESULT HresultOfCaughtException(const wchar_t* where) noexcept;

template <typename Body>
HRESULT HresultAtBoundary(const wchar_t* where, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return HresultOfCaughtException(where);
    }
}

}  // namespace sq
