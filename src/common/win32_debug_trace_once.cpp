// Apart from win32_debug_trace.cpp: the wrapper, which has no one-second timer, links only that one.
#include "common/win32_debug_trace.h"

#include "common/trace_line.h"

namespace sq {
namespace {

SRWLOCK g_traced_lock = SRWLOCK_INIT;
TracedKinds g_traced;

bool FirstTime(const wchar_t* where, const wchar_t* what, std::uint32_t code, const wchar_t* caught_kind) noexcept {
    ::AcquireSRWLockExclusive(&g_traced_lock);
    const bool first = g_traced.FirstTime(where, what, code, caught_kind);
    ::ReleaseSRWLockExclusive(&g_traced_lock);
    return first;
}

}  // namespace

HRESULT TraceCaughtExceptionOnce(const wchar_t* where, const wchar_t* what_failed) noexcept {
    const CaughtException caught = ClassifyCaughtException();
    if (FirstTime(where, what_failed, caught.code, caught.kind)) TraceCaught(where, what_failed, caught);
    return static_cast<HRESULT>(caught.code);
}

}  // namespace sq
