#include "host/fake_player_window.h"

namespace sqtest {
namespace {

LRESULT CALLBACK PlayerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_USER && lp == 120) return -1;
    return ::DefWindowProcA(hwnd, msg, wp, lp);
}

void RegisterPlayerClass() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = PlayerProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "Winamp v1.x";
    ::RegisterClassA(&wc);
}

}  // namespace

FakePlayerWindow::FakePlayerWindow(const std::string& title) {
    RegisterPlayerClass();
    hwnd_ = ::CreateWindowExA(0, "Winamp v1.x", title.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                              ::GetModuleHandleA(nullptr), nullptr);
}

FakePlayerWindow::~FakePlayerWindow() {
    if (hwnd_) ::DestroyWindow(hwnd_);
}

void FakePlayerWindow::SetTitle(const std::string& title) { ::SetWindowTextA(hwnd_, title.c_str()); }

}  // namespace sqtest
