#include "host/fake_player_window.h"

namespace sqtest {
namespace {

// Kept for the life of the process: the 5.x answers are pointers into the player's memory.
char g_folder[MAX_PATH] = {};
wchar_t g_wide_folder[MAX_PATH] = {};

constexpr LRESULT kPlaying = 1;

LRESULT CALLBACK PlayerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_USER && lp == 120) return -1;
    if (msg == WM_USER && lp == 104) return kPlaying;
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK Player5Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_USER && lp == 337) return reinterpret_cast<LRESULT>(g_folder);
    if (msg == WM_USER && lp == 338) return reinterpret_cast<LRESULT>(g_wide_folder);
    if (msg == WM_USER && lp == 104) return kPlaying;
    if (msg == WM_USER) return lp == 120 ? -1 : 0;  // 125 position: 0
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}

void RegisterPlayerClass() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = PlayerProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"Winamp v1.x";
    ::RegisterClassW(&wc);
}

}  // namespace

FakePlayerWindow::FakePlayerWindow(const std::string& title, PlayerProfile profile) {
    RegisterPlayerClass();
    hwnd_ = ::CreateWindowExW(0, L"Winamp v1.x", L"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                              ::GetModuleHandleW(nullptr), nullptr);
    // Another stand-in of the same process may have registered the class with its own procedure.
    const bool winamp5 = profile == PlayerProfile::kWinamp5;
    if (hwnd_) ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(winamp5 ? Player5Proc : PlayerProc));
    if (winamp5 && !g_folder[0]) {
        ::GetTempPathA(MAX_PATH, g_folder);
        ::GetTempPathW(MAX_PATH, g_wide_folder);
    }
    SetTitle(title);
}

FakePlayerWindow::~FakePlayerWindow() {
    if (hwnd_) ::DestroyWindow(hwnd_);
}

void FakePlayerWindow::SetTitle(const std::string& title) { ::SetWindowTextA(hwnd_, title.c_str()); }
void FakePlayerWindow::SetTitle(const std::wstring& title) { ::SetWindowTextW(hwnd_, title.c_str()); }

}  // namespace sqtest
