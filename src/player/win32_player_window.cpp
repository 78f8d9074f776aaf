#include "player/win32_player_window.h"

#include "common/win32_ansi_text.h"
#include "common/win32_registry_text.h"
#include "common/win32_unique_handle.h"
#include "common/win32_window_text.h"
#include "player/playlist_file.h"
#include "player/text_answer.h"

namespace sq {
namespace {

constexpr char kPlayerClass[] = "Winamp v1.x";
constexpr wchar_t kPlayCommandKey[] = L"WinAmp.File\\shell\\play\\command";
// Enough for any number of players and look-alike windows; the list is never walked further.
constexpr int kMostPlayerWindows = 64;
// The player's own window answers on this thread at once; a hung window of another process must
// not hold the player's thread. Writing a long playlist may take a while.
constexpr UINT kRequestTimeoutMs = 500;
constexpr UINT kWritePlaylistTimeoutMs = 10000;

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

bool BelongsToThisProcess(HWND window) {
    DWORD owner = 0;
    return window && ::GetWindowThreadProcessId(window, &owner) && owner == ::GetCurrentProcessId();
}

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

bool PlayerWindow::FindWindow() {
    window_ = handed_ && ::IsWindow(handed_) ? handed_ : FindPlayerWindow();
    return window_ != nullptr;
}

std::optional<long> PlayerWindow::Ask(winamp::Request request, long argument) {
    if (!window_) return std::nullopt;
    const UINT timeout = request == winamp::kWritePlaylist ? kWritePlaylistTimeoutMs : kRequestTimeoutMs;
    DWORD_PTR answer = 0;
    if (!::SendMessageTimeoutW(window_, WM_USER, static_cast<WPARAM>(argument), request,
                               SMTO_ABORTIFHUNG | SMTO_BLOCK, timeout, &answer))
        return std::nullopt;
    return static_cast<long>(answer);
}

// Such a pointer means something only in the player's process, and any program may make a window
// of the player's class, so it is read only from a window of this one.
template <typename Char>
std::basic_string<Char> PlayerWindow::TextAnswer(winamp::Request request, long argument) {
    if (!BelongsToThisProcess(window_)) return {};
    const LRESULT answer = ::SendMessageW(window_, WM_USER, static_cast<WPARAM>(argument), request);
    if (!IsTextAnswer(static_cast<std::uintptr_t>(answer))) return {};
    const auto* text = reinterpret_cast<const Char*>(answer);
    const std::optional<std::size_t> length = TextLengthWithinBuffer(text);
    if (!length) return {};
    return std::basic_string<Char>(text, *length);
}

std::string PlayerWindow::AskWideText(winamp::Request request, long argument) {
    return Utf8FromWide(TextAnswer<wchar_t>(request, argument));
}

std::string PlayerWindow::AskCodePageText(winamp::Request request, long argument) {
    return TextAnswer<char>(request, argument);
}

// The player writes into our buffer, which it can reach only in this process. The buffer is
// cleared first: a version without the request answers 1 and leaves it as it was.
template <typename Info, typename Char>
std::optional<std::basic_string<Char>> PlayerWindow::MetadataAnswer(winamp::Request request,
                                                                    const std::basic_string<Char>& file,
                                                                    const std::basic_string<Char>& field) {
    if (!BelongsToThisProcess(window_) || file.empty()) return std::nullopt;
    Char answer[winamp::kTextBufferCharacters] = {};
    Info info{file.c_str(), field.c_str(), answer, winamp::kTextBufferCharacters};
    if (!::SendMessageW(window_, WM_USER, reinterpret_cast<WPARAM>(&info), request)) return std::nullopt;
    answer[winamp::kTextBufferCharacters - 1] = Char();
    return std::basic_string<Char>(answer);
}

std::optional<std::string> PlayerWindow::AskWideMetadata(const std::string& utf8_file, const char* field) {
    const std::optional<std::wstring> answer = MetadataAnswer<winamp::WideExtendedFileInfo>(
        winamp::kWideMetadata, WideFromUtf8(utf8_file), WideFromAnsi(field));
    if (!answer) return std::nullopt;
    return Utf8FromWide(*answer);
}

std::optional<std::string> PlayerWindow::AskCodePageMetadata(const std::string& file, const char* field) {
    return MetadataAnswer<winamp::ExtendedFileInfo>(winamp::kMetadata, file, std::string(field));
}

std::string PlayerWindow::Caption() { return window_ ? Utf8FromWide(WindowText(window_)) : std::string(); }

std::string PlayerWindow::PlayCommand() { return ReadShortRegistryText(HKEY_CLASSES_ROOT, kPlayCommandKey, L""); }

// Opened by its wide name: the folder may hold characters the code page lacks.
std::string PlayerWindow::ReadPlaylistEntry(const PlaylistFolder& folder, const char* file_name, long position) {
    const std::wstring path = WideFromUtf8(folder.utf8) + WideFromAnsi(file_name);
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return {};
    Win32PlaylistBytes bytes(file.get());
    return sq::ReadPlaylistEntry(bytes, position);
}

bool PlayerWindow::Utf8PlaylistIsCurrent(const PlaylistFolder& folder) {
    const std::wstring base = WideFromUtf8(folder.utf8);
    WIN32_FILE_ATTRIBUTE_DATA utf8{};
    WIN32_FILE_ATTRIBUTE_DATA code_page{};
    if (!::GetFileAttributesExW((base + WideFromAnsi(kUtf8PlaylistFileName)).c_str(), GetFileExInfoStandard, &utf8))
        return false;
    if (!::GetFileAttributesExW((base + WideFromAnsi(kPlaylistFileName)).c_str(), GetFileExInfoStandard, &code_page))
        return true;
    return ::CompareFileTime(&utf8.ftLastWriteTime, &code_page.ftLastWriteTime) >= 0;
}

}  // namespace sq
