#include "common/win32_debug_trace.h"

#include "common/trace_line.h"

namespace sq {

static_assert(kOutOfMemoryCode == static_cast<std::uint32_t>(E_OUTOFMEMORY));
static_assert(kUnexpectedCode == static_cast<std::uint32_t>(E_UNEXPECTED));

void TraceFailure(const wchar_t* where, const wchar_t* what, HRESULT code) noexcept {
    wchar_t line[kTraceLineCapacity];
    ComposeTraceLine(line, where, what, static_cast<std::uint32_t>(code));
    ::OutputDebugStringW(line);
}

void TraceCaught(const wchar_t* where, const wchar_t* what_failed, const CaughtException& caught) noexcept {
    wchar_t line[kTraceLineCapacity];
    if (what_failed)
        ComposeTraceLine(line, where, what_failed, caught.code, caught.text);
    else
        ComposeTraceLine(line, where, caught.text, caught.code);
    ::OutputDebugStringW(line);
}

HRESULT TraceCaughtException(const wchar_t* where, const wchar_t* what_failed) noexcept {
    const CaughtException caught = ClassifyCaughtException();
    TraceCaught(where, what_failed, caught);
    return static_cast<HRESULT>(caught.code);
}

}  // namespace sq
