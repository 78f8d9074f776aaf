#pragma once
// A plug-in has no console and must not put up dialogs of its own: a failure caught where it
// would otherwise reach the player or a script is written to the debugger's output, one line
// each (common/trace_line.h), for DebugView or an attached debugger.
#include <windows.h>

#include "common/caught_exception.h"
#include "common/failure_trace.h"

namespace sq {

void TraceFailure(const wchar_t* where, const wchar_t* what, HRESULT code) noexcept;

// Only inside a catch block, as every catch-all's one trace: the line names what was caught
// (common/caught_exception.h) after `where` and, when given, what could not be done. Returns the
// HRESULT a COM caller is given for it: E_OUTOFMEMORY for out of memory, else E_UNEXPECTED.
HRESULT TraceCaughtException(const wchar_t* where, const wchar_t* what_failed = nullptr) noexcept;

// The same for a one-second timer's handler: each kind (where, what failed, and what was caught:
// out of memory, a standard exception or anything else) is written the first time only. The texts
// must live as long as the DLL (literals).
HRESULT TraceCaughtExceptionOnce(const wchar_t* where, const wchar_t* what_failed = nullptr) noexcept;

// The line of an exception already told apart, which both of them write.
void TraceCaught(const wchar_t* where, const wchar_t* what_failed, const CaughtException& caught) noexcept;

// A failure that a routine catches and goes on from, traced under the routine's name.
class DebuggerTrace final : public FailureTrace {
public:
    // `where` must live as long as the object (a literal).
    explicit DebuggerTrace(const wchar_t* where) : where_(where) {}
    void Trace(const wchar_t* what) noexcept override { TraceCaughtException(where_, what); }

private:
    const wchar_t* where_;
};

}  // namespace sq
