#pragma once
// frmMain carries, as a window property, the number of submission runs its countdown has
// started, so that a host (or its tests) can see from outside the process's C++ objects that a
// title was handed on, and how often.
#include <windows.h>

namespace sq {

inline constexpr wchar_t kSubmissionRunsProperty[] = L"Sonoquill.SubmissionRuns";

inline UINT_PTR SubmissionRunsStarted(HWND main_window) {
    return reinterpret_cast<UINT_PTR>(::GetPropW(main_window, kSubmissionRunsProperty));
}

}  // namespace sq
