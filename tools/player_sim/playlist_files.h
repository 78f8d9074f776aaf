#pragma once
// The playlist files a 5.x player writes on request 120, into its playlist folder: Winamp.m3u in
// the system's code page, written with the system's default conversion (a look-alike for a
// character the code page lacks where it has one, "?" where not), and Winamp.m3u8 in UTF-8 with a
// byte-order mark. Line 1 is "#EXTM3U"; an entry whose details the player has read gets
// "#EXTINF:<seconds>,<title>" before its path line, others are their path line alone. Hidden
// entries (stream and advert curtains) are left out. Lines end CR LF.
// Header only: the simulator and the stand-in players of the Windows tests both write them.
#include <windows.h>

#include <string>
#include <vector>

namespace sim {

struct PlaylistEntry {
    std::wstring path;  // full path, as the player keeps it
    std::wstring title;
    int seconds = 0;
    bool details_read = true;  // entries not yet played or shown often have none
    bool hidden = false;       // counted in the position, left out of the files
};

enum class PathStyle {
    kFull,                // 5.9
    kRelativeToPlaylist,  // 5.6x-5.7: below the playlist folder relative to it, elsewhere on its drive without the drive
};

// The path line as `style` writes it, for a playlist in `folder` (ending in a backslash).
inline std::wstring PathLine(const std::wstring& path, const std::wstring& folder, PathStyle style) {
    const auto same = [](const std::wstring& a, const std::wstring& b) {
        return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                                      TRUE) == CSTR_EQUAL;
    };
    if (style == PathStyle::kFull || folder.size() < 3 || path.size() < 3 || folder[1] != L':' || path[1] != L':') {
        return path;
    }
    if (path.size() > folder.size() && same(path.substr(0, folder.size()), folder)) return path.substr(folder.size());
    if (same(path.substr(0, 2), folder.substr(0, 2))) return path.substr(2);
    return path;
}

inline std::string EncodedText(const std::wstring& text, UINT code_page) {
    const int n = text.empty() ? 0
                               : ::WideCharToMultiByte(code_page, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                                       0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) {
        ::WideCharToMultiByte(code_page, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
    }
    return bytes;
}

inline std::wstring DecodedText(const std::string& bytes, UINT code_page) {
    std::wstring text(bytes.size(), L'\0');
    const int n = bytes.empty() ? 0
                                : ::MultiByteToWideChar(code_page, 0, bytes.data(), static_cast<int>(bytes.size()),
                                                        text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(n > 0 ? n : 0));
    return text;
}

// The bytes of Winamp.m3u (CP_ACP) or Winamp.m3u8 (CP_UTF8).
inline std::string PlaylistBytes(const std::vector<PlaylistEntry>& entries, const std::wstring& folder, PathStyle style,
                                 UINT code_page) {
    std::string text = code_page == CP_UTF8 ? "\xEF\xBB\xBF#EXTM3U\r\n" : "#EXTM3U\r\n";
    for (const PlaylistEntry& entry : entries) {
        if (entry.hidden) continue;
        if (entry.details_read) {
            text += "#EXTINF:" + std::to_string(entry.seconds) + "," + EncodedText(entry.title, code_page) + "\r\n";
        }
        text += EncodedText(PathLine(entry.path, folder, style), code_page) + "\r\n";
    }
    return text;
}

inline bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
    return ok && written == bytes.size();
}

// Writes both files into `folder`; false when either cannot be written.
inline bool WritePlaylistFiles(const std::vector<PlaylistEntry>& entries, const std::wstring& folder, PathStyle style) {
    const bool code_page = WriteWholeFile(folder + L"Winamp.m3u", PlaylistBytes(entries, folder, style, CP_ACP));
    const bool utf8 = WriteWholeFile(folder + L"Winamp.m3u8", PlaylistBytes(entries, folder, style, CP_UTF8));
    return code_page && utf8;
}

}  // namespace sim
