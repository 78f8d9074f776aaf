#include "common/com_boundary.h"

#include <new>

#include "common/debug_trace.h"

namespace sq {

HRESULT HresultOfCaughtException(const wchar_t* where) noexcept {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        TraceFailure(where, L"out of memory", E_OUTOFMEMORY);
        return E_OUTOFMEMORY;
    } catch (...) {
        TraceFailure(where, L"unexpected exception", E_UNEXPECTED);
        return E_UNEXPECTED;
    }
}

}  // namespace sq
