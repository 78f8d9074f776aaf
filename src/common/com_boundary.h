#pragma once
// Where our code is called by COM, a script host or the player, nothing may unwind out: an
// exception becomes the HRESULT a caller understands, and leaves a trace.
#include <windows.h>

#include <new>

#include "common/debug_trace.h"

namespace sq {

template <typename Body>
HRESULT HresultAtBoundary(const wchar_t* where, Body&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        TraceFailure(where, L"out of memory", E_OUTOFMEMORY);
        return E_OUTOFMEMORY;
    } catch (...) {
        TraceFailure(where, L"unexpected exception", E_UNEXPECTED);
        return E_UNEXPECTED;
    }
}

}  // namespace sq
