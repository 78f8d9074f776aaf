#pragma once
// Where our code is called by COM, a script host or the player, nothing may unwind out: an
// exception becomes the HRESULT a caller understands, and leaves a trace.
#include <windows.h>

#include "common/win32_debug_trace.h"

namespace sq {

// E_OUTOFMEMORY for std::bad_alloc, E_UNEXPECTED for anything else, after its trace line.
template <typename Body>
HRESULT HresultAtBoundary(const wchar_t* where, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return TraceCaughtException(where);
    }
}

}  // namespace sq
