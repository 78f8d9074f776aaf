#pragma once
// A plug-in has no console and must not put up dialogs of its own: a failure caught where it
// would otherwise reach the player or a script is written to the debugger's output, one line
// each (common/trace_line.h), for DebugView or an attached debugger.
#include <windows.h>

namespace sq {

void TraceFailure(const wchar_t* where, const wchar_t* what, HRESULT code) noexcept;

// The same at a boundary that may meet one failure every second (a one-second timer's handler):
// each kind, the same where, what and code, is written the first time only. The texts must live
// as long as the DLL (literals).
void TraceFailureOnce(const wchar_t* where, const wchar_t* what, HRESULT code) noexcept;

}  // namespace sq
