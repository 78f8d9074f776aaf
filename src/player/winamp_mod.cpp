#include "player/winamp_mod.h"

#include <cstring>
#include <cwchar>

#include "common/ansi_text.h"
#include "common/unique_handle.h"
#include "player/player_folder.h"
#include "player/playing_file.h"
#include "player/playlist_file.h"
#include "player/song_title.h"

namespace sq::WinAmpMod {

HWND hWinAmp = nullptr;

namespace {

constexpr char kPlayerClass[] = "Winamp v1.x";
constexpr char kPlayCommandKey[] = "WinAmp.File\\shell\\play\\command";
constexpr WPARAM kNoArgument = 0;
constexpr LPARAM kWritePlaylistRequest = 120;
constexpr LPARAM kPlaylistFolderRequest = 337;      // char*, 5.11 on
constexpr LPARAM kWidePlaylistFolderRequest = 338;  // wchar_t*, 5.3 on
constexpr size_t kLongestFolder = 32767;
constexpr DWORD kRegValueBufferSize = 256;

class Win32PlaylistBytes final : public PlaylistBytes {
public:
    explicit Win32PlaylistBytes(HANDLE file) : file_(file) {}
    std::size_t Read(char* buffer, std::size_t size) override {
        DWORD got = 0;
        if (!::ReadFile(file_, buffer, static_cast<DWORD>(size), &got, nullptr)) return 0;
        return got;
    }

private:
    HANDLE file_;
};

template <typename Text>
Text WithBackslash(Text folder) {
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
    return folder;
}

bool IsLeadByte(unsigned char byte) { return ::IsDBCSLeadByte(byte) != FALSE; }

class LivePlayer final : public PlayerLink {
public:
    long WritePlaylist() override { return WinAmpMod::WritePlaylist(); }
    std::string GetWinAmpPath() override { return WinAmpMod::GetWinAmpPath(); }
    long FindWinAmp() override { return WinAmpMod::FindWinAmp(); }

    // The answers are pointers into the player's memory, so they are asked for only when the
    // player is this process: any program may make a window of the player's class, and a
    // pointer from another process must never be read.
    PlaylistFolder AskPlaylistFolder() override {
        DWORD owner = 0;
        if (!hWinAmp || !::GetWindowThreadProcessId(hWinAmp, &owner) || owner != ::GetCurrentProcessId()) return {};
        const LRESULT wide = ::SendMessageA(hWinAmp, WM_USER, kNoArgument, kWidePlaylistFolderRequest);
        if (wide) {
            const auto* text = reinterpret_cast<const wchar_t*>(wide);
            return FromWide(WithBackslash(std::wstring(text, ::wcsnlen(text, kLongestFolder))));
        }
        const LRESULT narrow = ::SendMessageA(hWinAmp, WM_USER, kNoArgument, kPlaylistFolderRequest);
        if (narrow) {
            const auto* text = reinterpret_cast<const char*>(narrow);
            return FolderFromCodePage(WithBackslash(std::string(text, ::strnlen(text, kLongestFolder))));
        }
        return {};
    }

    PlaylistFolder FolderFromCodePage(const std::string& folder) override {
        return {folder, Utf8FromWide(WideFromAnsi(folder))};
    }

    // Opened by its wide name: the folder may hold characters the code page lacks.
    std::string ReadEntry(const PlaylistFolder& folder, const char* file_name, long position) override {
        const std::wstring path = WideFromUtf8(folder.utf8) + WideFromAnsi(file_name);
        UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (!file) return {};
        Win32PlaylistBytes bytes(file.get());
        return ReadPlaylistEntry(bytes, position);
    }

    std::string CodePageFromUtf8(const std::string& text) override { return AnsiFromWide(WideFromUtf8(text)); }
    LeadByteTest LeadBytes() override { return &IsLeadByte; }

private:
    static PlaylistFolder FromWide(const std::wstring& folder) { return {AnsiFromWide(folder), Utf8FromWide(folder)}; }
};

}  // namespace

long FindWinAmp() {
    hWinAmp = ::FindWindowA(kPlayerClass, nullptr);
    return hWinAmp ? 1 : 0;
}

std::string GetSongTitle() {
    char text[kTitleBufferSize] = {};
    if (HWND player = ::FindWindowA(kPlayerClass, nullptr)) ::GetWindowTextA(player, text, sizeof text);
    try {
        return SongTitleFromWindowText(std::string(text, ::strnlen(text, sizeof text)));
    } catch (...) {
        return {};
    }
}

long WritePlaylist() {
    // Synchronous: the player has written its playlist file by the time it answers. A handle of
    // 0, or of a window that has gone, delivers nothing and gives 0.
    return static_cast<long>(::SendMessageA(hWinAmp, WM_USER, kNoArgument, kWritePlaylistRequest));
}

PlayingFile FindPlayingFile() {
    try {
        LivePlayer player;
        return LookUpPlayingFile(player);
    } catch (...) {
        return {};
    }
}

std::string GetPlayingFile() { return FindPlayingFile().path; }

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
