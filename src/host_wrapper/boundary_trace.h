#pragma once
// A failure the player must not see still leaves one line for a debugger (or DebugView): where it
// happened, what failed, and the code.
#include <windows.h>

namespace sq {

void TraceFailure(const wchar_t* where, const wchar_t* what, HRESULT hr) noexcept;

}  // namespace sq
