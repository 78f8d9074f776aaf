// Apart from debug_trace.cpp: the wrapper, which has no one-second timer, links only that one.
#include "common/debug_trace.h"

#include "common/trace_line.h"

namespace sq {
namespace {

SRWLOCK g_traced_lock = SRWLOCK_INIT;
TracedKinds g_traced;

}  // namespace

void TraceFailureOnce(const wchar_t* where, const wchar_t* what, HRESULT code) noexcept {
    ::AcquireSRWLockExclusive(&g_traced_lock);
    const bool first = g_traced.FirstTime(where, what, static_cast<std::uint32_t>(code));
    ::ReleaseSRWLockExclusive(&g_traced_lock);
    if (first) TraceFailure(where, what, code);
}

}  // namespace sq
