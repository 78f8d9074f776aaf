#include "playlist.h"

#include <cstdio>
#include <cstring>

namespace sim {
namespace {

std::wstring TagField(const char* field, size_t size) {
    std::string text(field, strnlen(field, size));
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return DecodedText(text, CP_ACP);
}

std::wstring FileStem(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

}  // namespace

void ReadTags(Song& song) {
    std::FILE* file = ::_wfopen(song.path.c_str(), L"rb");
    if (!file) return;
    char tag[128] = {};
    const bool read = std::fseek(file, -128, SEEK_END) == 0 && std::fread(tag, 1, sizeof tag, file) == sizeof tag;
    std::fclose(file);
    if (!read || std::memcmp(tag, "TAG", 3) != 0) return;
    song.title = TagField(tag + 3, 30);
    song.artist = TagField(tag + 33, 30);
}

std::wstring DisplayName(const Song& song) {
    if (song.artist.empty() && song.title.empty()) return FileStem(song.path);
    return song.artist + L" - " + song.title;
}

std::wstring WindowTitle(const std::vector<Song>& songs, size_t position, const std::wstring& no_song, bool numbered) {
    if (position >= songs.size()) return no_song;
    const std::wstring number = numbered ? std::to_wstring(position + 1) + L". " : std::wstring();
    return number + DisplayName(songs[position]) + L" - Winamp";
}

bool WritePlaylistFile(const std::vector<Song>& songs, const std::wstring& path) {
    std::string text = "#EXTM3U\r\n";
    for (const Song& song : songs) {
        if (song.hidden) continue;
        text += "#EXTINF:" + std::to_string(song.seconds) + "," + EncodedText(DisplayName(song), CP_ACP) + "\r\n";
        text += EncodedText(song.path, CP_ACP) + "\r\n";
    }
    return WriteWholeFile(path, text);
}

std::vector<PlaylistEntry> Winamp5Entries(const std::vector<Song>& songs, size_t played_from, size_t played_up_to) {
    std::vector<PlaylistEntry> entries;
    for (size_t k = 0; k < songs.size(); ++k) {
        entries.push_back({songs[k].path, DisplayName(songs[k]), songs[k].seconds, k >= played_from && k <= played_up_to,
                           songs[k].hidden});
    }
    return entries;
}

}  // namespace sim
