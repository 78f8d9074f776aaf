#include "player/winamp_mod.h"

#include <cstring>

#include "common/unique_handle.h"
#include "player/player_folder.h"
#include "player/playing_file.h"
#include "player/song_title.h"

namespace sq::WinAmpMod {

HWND hWinAmp = nullptr;

namespace {

constexpr char kPlayerClass[] = "Winamp v1.x";
constexpr char kPlayCommandKey[] = "WinAmp.File\\shell\\play\\command";
constexpr WPARAM kNoArgument = 0;
constexpr LPARAM kWritePlaylistRequest = 120;
constexpr DWORD kRegValueBufferSize = 256;

class LivePlayer final : public PlayerLink {
public:
    long WritePlaylist() override { return WinAmpMod::WritePlaylist(); }
    std::string GetWinAmpPath() override { return WinAmpMod::GetWinAmpPath(); }
    long FindWinAmp() override { return WinAmpMod::FindWinAmp(); }
};

}  // namespace

long FindWinAmp() {
    try {
        hWinAmp = ::FindWindowA(kPlayerClass, nullptr);
    } catch (...) {
        hWinAmp = nullptr;
    }
    return hWinAmp ? 1 : 0;
}

std::string GetSongTitle() {
    char text[kTitleBufferSize] = {};
    try {
        if (HWND player = ::FindWindowA(kPlayerClass, nullptr)) ::GetWindowTextA(player, text, sizeof text);
    } catch (...) {
    }
    try {
        return SongTitleFromWindowText(std::string(text, ::strnlen(text, sizeof text)));
    } catch (...) {
        return {};
    }
}

long WritePlaylist() {
    try {
        // Synchronous: the player has written its playlist file by the time it answers. A
        // handle of 0, or of a window that has gone, delivers nothing and gives 0.
        return static_cast<long>(::SendMessageA(hWinAmp, WM_USER, kNoArgument, kWritePlaylistRequest));
    } catch (...) {
        return 0;
    }
}

std::string GetPlayingFile() {
    try {
        LivePlayer player;
        return LookUpPlayingFile(player);
    } catch (...) {
        return {};
    }
}

std::string GetWinAmpPath() {
    try {
        return ProgramPathFromPlayCommand(ReadRegString(HKEY_CLASSES_ROOT, kPlayCommandKey, ""));
    } catch (...) {
        return {};
    }
}

std::string ReadRegString(HKEY root, const std::string& key_path, const std::string& value_name) {
    try {
        UniqueRegKey key;
        if (::RegOpenKeyExA(root, key_path.c_str(), 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS) return {};
        BYTE value[kRegValueBufferSize] = {};
        DWORD type = REG_NONE;
        DWORD written = sizeof value;
        const LSTATUS status = ::RegQueryValueExA(key.get(), value_name.c_str(), nullptr, &type, value, &written);
        if (status != ERROR_SUCCESS || type != REG_SZ) return {};
        // The count includes the terminating zero; a value stored without one is kept whole.
        const char* text = reinterpret_cast<const char*>(value);
        const DWORD held = written < sizeof value ? written : sizeof value;
        return std::string(text, ::strnlen(text, held));
    } catch (...) {
        return {};
    }
}

}  // namespace sq::WinAmpMod
