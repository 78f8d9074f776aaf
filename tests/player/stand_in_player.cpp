#include "stand_in_player.h"

#include <cstdio>

namespace sqtest {
namespace {

constexpr char kPlayerClass[] = "Winamp v1.x";

bool RegisterPlayerClass(WNDPROC proc) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = kPlayerClass;
    return ::RegisterClassA(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

StandInPlayer::StandInPlayer(const std::string& title, const std::string& folder) : folder_(folder) {
    if (!RegisterPlayerClass(&StandInPlayer::WindowProc)) return;
    hwnd_ = ::CreateWindowExA(0, kPlayerClass, title.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 300, 100, nullptr, nullptr,
                              ::GetModuleHandleA(nullptr), this);
}

StandInPlayer::~StandInPlayer() { Close(); }

void StandInPlayer::SetTitle(const std::string& title) { ::SetWindowTextA(hwnd_, title.c_str()); }

void StandInPlayer::Close() {
    if (hwnd_) ::DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}

LRESULT CALLBACK StandInPlayer::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<StandInPlayer*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<StandInPlayer*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self) {
        if (msg == WM_USER && wp == 0 && lp == 120) {
            ++self->requests;
            return self->WritePlaylistFile();
        }
        if (msg == WM_GETTEXT) ++self->title_reads;
        if (msg == WM_NCDESTROY) ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    }
    return ::DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT StandInPlayer::WritePlaylistFile() {
    if (fail_requests) return -1;
    std::FILE* file = std::fopen((folder_ + "WINAMP.m3u").c_str(), "wb");
    if (!file) return -1;
    std::string bytes = "#EXTM3U\r\n";
    for (std::size_t k = 0; k < paths.size(); ++k) {
        bytes += "#EXTINF:" + std::to_string(180 + k) + ",Entry " + std::to_string(k) + "\r\n";
        bytes += paths[k] + "\r\n";
    }
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    return position;
}

}  // namespace sqtest
