#include "playlist_files.h"

#include "code_page_text.h"

namespace sim {
bool SamePath(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

std::wstring PathLine(const std::wstring& path, const std::wstring& folder, PathStyle style) {
    if (style == PathStyle::kFull || folder.size() < 3 || path.size() < 3 || folder[1] != L':' || path[1] != L':') {
        return path;
    }
    if (path.size() > folder.size() && SamePath(path.substr(0, folder.size()), folder)) return path.substr(folder.size());
    if (SamePath(path.substr(0, 2), folder.substr(0, 2))) return path.substr(2);
    return path;
}

std::string PlaylistBytes(const std::vector<PlaylistEntry>& entries, const std::wstring& folder, PathStyle style,
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

}  // namespace sim
