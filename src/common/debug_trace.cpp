#include "common/debug_trace.h"

#include <cwchar>

namespace sq {

void TraceFailure(const wchar_t* where, const wchar_t* what, HRESULT code) noexcept {
    wchar_t line[256];
    std::swprintf(line, sizeof line / sizeof line[0], L"Sonoquill: %ls: %ls (0x%08lX)\n", where ? where : L"?",
                  what ? what : L"?", static_cast<unsigned long>(code));
    ::OutputDebugStringW(line);
}

}  // namespace sq
