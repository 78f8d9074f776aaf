#include "player/winamp_mod.h"

#include "player/song_title.h"

namespace sq::WinAmpMod {
namespace {

constexpr char kPlayerClass[] = "Winamp v1.x";
HWND g_hWinAmp = nullptr;

}  // namespace

HWND hWinAmp() { return g_hWinAmp; }

long FindWinAmp() {
    g_hWinAmp = ::FindWindowA(kPlayerClass, nullptr);
    return g_hWinAmp ? 1 : 0;
}

std::string GetSongTitle() {
    char buffer[256] = {};
    if (HWND player = ::FindWindowA(kPlayerClass, nullptr)) ::GetWindowTextA(player, buffer, sizeof buffer);
    return SongTitleFromWindowText(buffer);
}

long WritePlaylist() {
    DWORD_PTR answer = 0;
    if (!g_hWinAmp) return 0;
    if (!::SendMessageTimeoutA(g_hWinAmp, WM_USER, 0, 120, SMTO_NORMAL, 0x7FFFFFFF, &answer)) return 0;
    return static_cast<long>(answer);
}

}  // namespace sq::WinAmpMod
