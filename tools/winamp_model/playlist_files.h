#pragma once
// The bytes of the player's playlist files: line 1 "#EXTM3U" (after a byte-order mark in UTF-8),
// then for each entry that is not hidden "#EXTINF:<seconds>,<title>" when the player has its
// details, and its path line. Lines end CR LF. 2.x writes WINAMP.m3u in the code page with an
// information line for every entry; 5.x writes Winamp.m3u (code page) and Winamp.m3u8 (UTF-8).
#include <windows.h>

#include <string>
#include <vector>

namespace sim {

struct PlaylistEntry {
    std::wstring path;  // full path, as the player keeps it
    std::wstring title;
    int seconds = 0;
    bool details_read = true;
    bool hidden = false;  // counted in the position, left out of the files
};

enum class PathStyle {
    kFull,                // 2.x, 5.9
    kRelativeToPlaylist,  // 5.6x-5.7: below the playlist folder relative to it, elsewhere on its drive without the drive
};

// Paths as Windows compares them: without regard to case.
bool SamePath(const std::wstring& a, const std::wstring& b);

// The path line as `style` writes it, for a playlist in `folder` (ending in a backslash).
std::wstring PathLine(const std::wstring& path, const std::wstring& folder, PathStyle style);

// The whole file in `code_page` (CP_UTF8 for Winamp.m3u8).
std::string PlaylistBytes(const std::vector<PlaylistEntry>& entries, const std::wstring& folder, PathStyle style,
                          UINT code_page);

}  // namespace sim
