#pragma once
// The simulator's playlist: files with their tags, how long each one plays, and the playlist
// file the player writes on request 120.
#include <string>
#include <vector>

namespace sim {

struct Song {
    std::string path;    // full path, as the player keeps it
    std::string artist;  // from the ID3v1 tag; empty without one
    std::string title;
    int seconds = 60;    // how long the simulator plays it
};

// Reads the ID3v1 tag at the end of the file, if there is one.
void ReadTags(Song& song);

// The player's window title for the song at `position` (0-based): "N. Artist - Title - Winamp".
std::string WindowTitle(const std::vector<Song>& songs, size_t position);

// Writes the extended M3U playlist (header line, then an info line and a path line per song,
// CRLF line ends) to `path`. Returns false when the file cannot be written.
bool WritePlaylistFile(const std::vector<Song>& songs, const std::string& path);

}  // namespace sim
