#include "foreign_window.h"

#include <windows.h>

#include "tool_log.h"

namespace sim {
namespace {

// In the lowest 64 kB of the address space, which Windows never maps in any process.
constexpr LRESULT kNowhere = 0x1000;
constexpr UINT_PTR kExitTimer = 1;

LRESULT CALLBACK ForeignProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_USER:
        Log("foreign window: request %ld (wParam %lu)", static_cast<long>(lp), static_cast<unsigned long>(wp));
        switch (lp) {
        case 104:
            return 1;
        case 211:
        case 214:
        case 335:
        case 337:
        case 338:
            return kNowhere;
        default:
            return 0;
        }
    case WM_TIMER:
    case WM_CLOSE:
        ::DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcW(hwnd, msg, wp, lp);
    }
}

}  // namespace

int RunForeignWindow(int exit_after) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ForeignProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"Winamp v1.x";
    if (!::RegisterClassW(&wc)) return 1;
    HWND hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"1. Foreign Artist - Foreign Song - Winamp",
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 320, 80, nullptr, nullptr, wc.hInstance,
                                  nullptr);
    if (!hwnd) {
        Log("foreign window: cannot create the window (is there a display?)");
        return 1;
    }
    if (exit_after > 0) ::SetTimer(hwnd, kExitTimer, static_cast<UINT>(exit_after) * 1000, nullptr);
    Log("foreign window: up in process %lu", ::GetCurrentProcessId());
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
    Log("foreign window: closed");
    return 0;
}

}  // namespace sim
