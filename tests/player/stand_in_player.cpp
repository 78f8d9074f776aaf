#include "stand_in_player.h"

#include <algorithm>
#include <cstdio>

namespace sqtest {
namespace {

constexpr wchar_t kPlayerClass[] = L"Winamp v1.x";

bool RegisterPlayerClass(WNDPROC proc) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kPlayerClass;
    return ::RegisterClassW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

StandInPlayer::StandInPlayer(const std::string& title, const std::string& folder, PlayerProfile profile)
    : folder_(folder), profile_(profile) {
    if (!RegisterPlayerClass(&StandInPlayer::WindowProc)) return;
    hwnd_ = ::CreateWindowExW(0, kPlayerClass, L"", WS_OVERLAPPEDWINDOW, 0, 0, 300, 100, nullptr, nullptr,
                              ::GetModuleHandleW(nullptr), this);
    SetTitle(title);
}

StandInPlayer::~StandInPlayer() { Close(); }

void StandInPlayer::SetTitle(const std::string& title) { ::SetWindowTextA(hwnd_, title.c_str()); }
void StandInPlayer::SetTitle(const std::wstring& title) { ::SetWindowTextW(hwnd_, title.c_str()); }

void StandInPlayer::Close() {
    if (hwnd_) ::DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}

LRESULT CALLBACK StandInPlayer::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<StandInPlayer*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<StandInPlayer*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self) {
        if (msg == WM_USER && wp == 0 && lp == 120) {
            ++self->requests;
            return self->WritePlaylistFile();
        }
        if (msg == WM_USER) return self->Answer(wp, lp);
        if (msg == WM_GETTEXT) ++self->title_reads;
        if (msg == WM_NCDESTROY) ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    }
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT StandInPlayer::WritePlaylistFile() {
    if (fail_requests) return -1;
    if (profile_ == PlayerProfile::kWinamp5) {
        if (entries.empty()) return -1;
        const bool code_page = sim::WriteWholeFile(playlist_folder + L"Winamp.m3u",
                                                   sim::PlaylistBytes(entries, playlist_folder, path_style, CP_ACP));
        const bool utf8 = sim::WriteWholeFile(playlist_folder + L"Winamp.m3u8",
                                              sim::PlaylistBytes(entries, playlist_folder, path_style, CP_UTF8));
        return code_page && utf8 ? position : -1;
    }
    std::FILE* file = std::fopen((folder_ + "WINAMP.m3u").c_str(), "wb");
    if (!file) return -1;
    std::string bytes = "#EXTM3U\r\n";
    for (std::size_t k = 0; k < paths.size(); ++k) {
        if (std::find(hidden.begin(), hidden.end(), k) != hidden.end()) continue;
        bytes += "#EXTINF:" + std::to_string(180 + k) + ",Entry " + std::to_string(k) + "\r\n";
        bytes += paths[k] + "\r\n";
    }
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    return position;
}

LRESULT StandInPlayer::Answer(WPARAM wp, LPARAM lp) {
    const auto narrow = [this](const std::wstring& text) {
        narrow_answer_ = sim::EncodedText(text, CP_ACP);
        return reinterpret_cast<LRESULT>(narrow_answer_.c_str());
    };
    const auto wide = [this](const std::wstring& text) {
        wide_answer_ = text;
        return reinterpret_cast<LRESULT>(wide_answer_.c_str());
    };
    if (lp == 104) return play_state;
    if (profile_ == PlayerProfile::kWinamp2) {
        if (lp != 211 || !answers_entries || wp >= paths.size()) return 0;
        narrow_answer_ = paths[wp];
        return reinterpret_cast<LRESULT>(narrow_answer_.c_str());
    }
    const bool entry_exists = answers_entries && wp < entries.size();
    switch (lp) {
    case 337:
        ++folder_requests;
        return answers_337 ? narrow(playlist_folder) : 0;
    case 338:
        ++folder_requests;
        return answers_338 ? wide(playlist_folder) : 0;
    case 335:
        return narrow(playlist_folder);
    case 125:
        return position;
    case 211:
        return entry_exists ? narrow(entries[wp].path) : 0;
    case 214:
        return entry_exists ? wide(entries[wp].path) : 0;
    default:
        return 0;
    }
}

}  // namespace sqtest
