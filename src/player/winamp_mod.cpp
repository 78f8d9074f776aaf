#include "player/winamp_mod.h"

#include <cstring>

#include "common/ansi_text.h"
#include "common/debug_trace.h"
#include "common/path_text.h"
#include "common/unique_handle.h"
#include "player/player_folder.h"
#include "player/playing_file.h"
#include "player/playlist_file.h"
#include "player/song_title.h"
#include "player/winamp_requests.h"

namespace sq::WinAmpMod {

HWND hWinAmp = nullptr;

namespace {

constexpr char kPlayerClass[] = "Winamp v1.x";
constexpr char kPlayCommandKey[] = "WinAmp.File\\shell\\play\\command";
constexpr WPARAM kNoArgument = 0;
constexpr LPARAM kWritePlaylistRequest = 120;
constexpr LPARAM kPlayStateRequest = 104;
constexpr LPARAM kEntryPathRequest = 211;           // char*, 2.04 on
constexpr LPARAM kWideEntryPathRequest = 214;       // wchar_t*, 5.x
constexpr LPARAM kPlaylistFolderRequest = 337;      // char*, 5.11 on
constexpr LPARAM kWidePlaylistFolderRequest = 338;  // wchar_t*, 5.3 on
constexpr DWORD kRegValueBufferSize = 256;
// Enough for any number of players and look-alike windows; the list is never walked further.
constexpr int kMostPlayerWindows = 64;
// A play-state request goes out every second; a hung window of another process must not hold the
// player's thread.
constexpr UINT kPlayStateTimeoutMs = 500;

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

bool IsLeadByte(unsigned char byte) { return ::IsDBCSLeadByte(byte) != FALSE; }

bool BelongsToThisProcess(HWND window) {
    DWORD owner = 0;
    return window && ::GetWindowThreadProcessId(window, &owner) && owner == ::GetCurrentProcessId();
}

// A text the player answers as a pointer into its own memory. Such a pointer means something only
// in the player's process, and any program may make a window of the player's class, so it is
// read only from a window of this one. A version without the request answers 1, so an answer in
// the lowest 64 kB is a number, not a text; the player's buffers hold 1040 characters, so a text
// with no terminating zero within them is no answer.
template <typename Char>
std::basic_string<Char> TextAnswer(LPARAM request, WPARAM argument) {
    if (!BelongsToThisProcess(hWinAmp)) return {};
    const LRESULT answer = ::SendMessageA(hWinAmp, WM_USER, argument, request);
    if (static_cast<std::uintptr_t>(answer) < winamp::kLowestTextAddress) return {};
    const auto* text = reinterpret_cast<const Char*>(answer);
    size_t length = 0;
    while (length < winamp::kTextBufferCharacters && text[length] != 0) ++length;
    if (length == winamp::kTextBufferCharacters) return {};
    return std::basic_string<Char>(text, length);
}

class LivePlayer final : public PlayerLink {
public:
    long WritePlaylist() override { return WinAmpMod::WritePlaylist(); }
    std::string GetWinAmpPath() override { return WinAmpMod::GetWinAmpPath(); }
    long FindWinAmp() override { return WinAmpMod::FindWinAmp(); }

    std::string AskEntryUtf8(long position) override {
        return Utf8FromWide(TextAnswer<wchar_t>(kWideEntryPathRequest, static_cast<WPARAM>(position)));
    }

    std::string AskEntryCodePage(long position) override {
        return TextAnswer<char>(kEntryPathRequest, static_cast<WPARAM>(position));
    }

    PlaylistFolder AskPlaylistFolder() override {
        const std::wstring wide = TextAnswer<wchar_t>(kWidePlaylistFolderRequest, kNoArgument);
        if (!wide.empty()) return FromWide(WithTrailingBackslash(wide));
        const std::string narrow = TextAnswer<char>(kPlaylistFolderRequest, kNoArgument);
        if (!narrow.empty()) return FolderFromCodePage(WithTrailingBackslash(narrow));
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

    bool Utf8PlaylistIsCurrent(const PlaylistFolder& folder) override {
        const std::wstring base = WideFromUtf8(folder.utf8);
        WIN32_FILE_ATTRIBUTE_DATA utf8{};
        WIN32_FILE_ATTRIBUTE_DATA code_page{};
        if (!::GetFileAttributesExW((base + WideFromAnsi(kUtf8PlaylistFileName)).c_str(), GetFileExInfoStandard, &utf8))
            return false;
        if (!::GetFileAttributesExW((base + WideFromAnsi(kPlaylistFileName)).c_str(), GetFileExInfoStandard, &code_page))
            return true;
        return ::CompareFileTime(&utf8.ftLastWriteTime, &code_page.ftLastWriteTime) >= 0;
    }

    std::string CodePageFromUtf8(const std::string& text) override { return AnsiFromWide(WideFromUtf8(text)); }
    LeadByteTest LeadBytes() override { return &IsLeadByte; }

private:
    static PlaylistFolder FromWide(const std::wstring& folder) { return {AnsiFromWide(folder), Utf8FromWide(folder)}; }
};

}  // namespace

HWND FindPlayerWindow() {
    HWND first = ::FindWindowExA(nullptr, nullptr, kPlayerClass, nullptr);
    HWND window = first;
    for (int i = 0; window && i < kMostPlayerWindows; ++i) {
        if (BelongsToThisProcess(window)) return window;
        window = ::FindWindowExA(nullptr, window, kPlayerClass, nullptr);
    }
    return first;
}

long FindWinAmp() {
    hWinAmp = FindPlayerWindow();
    return hWinAmp ? 1 : 0;
}

std::string GetSongTitle() { return GetSongTitle(FindPlayerWindow()); }

std::string GetSongTitle(HWND player) {
    char text[kTitleBufferSize] = {};
    if (player) ::GetWindowTextA(player, text, sizeof text);
    try {
        return SongTitleFromWindowText(std::string(text, ::strnlen(text, sizeof text)));
    } catch (...) {
        // Read every second: one line per kind of failure is enough.
        TraceFailureOnce(L"GetSongTitle", L"the title cannot be made", E_UNEXPECTED);
        return {};
    }
}

long GetPlayState(HWND player) {
    DWORD_PTR answer = 0;
    if (!player || !::SendMessageTimeoutA(player, WM_USER, kNoArgument, kPlayStateRequest,
                                          SMTO_ABORTIFHUNG | SMTO_BLOCK, kPlayStateTimeoutMs, &answer))
        return 0;
    return static_cast<long>(answer);
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
        TraceFailure(L"GetPlayingFile", L"the playing file cannot be looked up", E_UNEXPECTED);
        return {};
    }
}

std::string GetPlayingFile() { return FindPlayingFile().path; }

std::string GetWinAmpPath() {
    try {
        return ProgramPathFromPlayCommand(ReadRegString(HKEY_CLASSES_ROOT, kPlayCommandKey, ""));
    } catch (...) {
        TraceFailure(L"GetWinAmpPath", L"the program path cannot be made", E_UNEXPECTED);
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
        TraceFailure(L"ReadRegString", L"the value cannot be read", E_UNEXPECTED);
        return {};
    }
}

}  // namespace sq::WinAmpMod
