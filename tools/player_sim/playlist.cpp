#include "playlist.h"

#include <cstdio>
#include <cstring>

namespace sim {
namespace {

std::string TagField(const char* field, size_t size) {
    std::string text(field, strnlen(field, size));
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

std::string FileStem(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string DisplayName(const Song& song) {
    if (song.artist.empty() && song.title.empty()) return FileStem(song.path);
    return song.artist + " - " + song.title;
}

}  // namespace

void ReadTags(Song& song) {
    std::FILE* file = std::fopen(song.path.c_str(), "rb");
    if (!file) return;
    char tag[128] = {};
    const bool read = std::fseek(file, -128, SEEK_END) == 0 && std::fread(tag, 1, sizeof tag, file) == sizeof tag;
    std::fclose(file);
    if (!read || std::memcmp(tag, "TAG", 3) != 0) return;
    song.title = TagField(tag + 3, 30);
    song.artist = TagField(tag + 33, 30);
}

std::string WindowTitle(const std::vector<Song>& songs, size_t position) {
    if (position >= songs.size()) return "Winamp 2.91";
    return std::to_string(position + 1) + ". " + DisplayName(songs[position]) + " - Winamp";
}

bool WritePlaylistFile(const std::vector<Song>& songs, const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    std::string text = "#EXTM3U\r\n";
    for (const Song& song : songs) {
        text += "#EXTINF:" + std::to_string(song.seconds) + "," + DisplayName(song) + "\r\n";
        text += song.path + "\r\n";
    }
    const bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && ok;
}

}  // namespace sim
