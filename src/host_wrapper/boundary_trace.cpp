#include "host_wrapper/boundary_trace.h"

namespace sq {

void TraceFailure(const wchar_t* where, const wchar_t* what, HRESULT hr) noexcept {
    wchar_t line[1025];  // wsprintfW never writes more than 1024 characters and the end mark
    ::wsprintfW(line, L"gen_sonoquill: %s: %s (0x%08lX)\n", where, what, static_cast<unsigned long>(hr));
    ::OutputDebugStringW(line);
}

}  // namespace sq
