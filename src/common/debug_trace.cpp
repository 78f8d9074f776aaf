#include "common/debug_trace.h"

#include "common/trace_line.h"

namespace sq {

void TraceFailure(const wchar_t* where, const wchar_t* what, HRESULT code) noexcept {
    wchar_t line[kTraceLineCapacity];
    ComposeTraceLine(line, where, what, static_cast<std::uint32_t>(code));
    ::OutputDebugStringW(line);
}

}  // namespace sq
