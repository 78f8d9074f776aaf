#include "common/win32_message_pump.h"

namespace sq {
namespace {

bool g_quit_seen = false;  // set once the thread's WM_QUIT has been pulled and handed back
HWND g_dialog = nullptr;

void Dispatch(MSG& msg) {
    if (g_dialog && ::IsWindowVisible(g_dialog) && ::IsDialogMessageW(g_dialog, &msg)) return;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
}

// Returns false when WM_QUIT came: it is posted again for the player's own loop to see.
bool DispatchWaiting() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            g_quit_seen = true;
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        Dispatch(msg);
    }
    return true;
}

}  // namespace

void DoEvents() { DispatchWaiting(); }

void WaitForEventsAndDispatch() {
    if (g_quit_seen) return;
    ::WaitMessage();
    DispatchWaiting();
}

void RunModalLoopWhileVisible(HWND window) {
    while (::IsWindow(window) && ::IsWindowVisible(window) && !g_quit_seen) {
        MSG msg;
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            g_quit_seen = true;
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0) break;
        Dispatch(msg);
    }
}

bool QuitRequested() { return g_quit_seen; }

void SetDialogWindow(HWND window) { g_dialog = window; }

}  // namespace sq
