#pragma once
// The simulator's playlist: files with their tags, how long each one plays, the titles the
// player shows for them and the playlist file 2.x writes on request 120 (5.x writes the two of
// playlist_files.h).
#include <string>
#include <vector>

#include "playlist_files.h"

namespace sim {

struct Song {
    std::wstring path;    // full path, as the player keeps it
    std::wstring artist;  // from the ID3v1 tag; empty without one
    std::wstring title;
    int seconds = 60;     // how long the simulator plays it
    bool hidden = false;  // a stream or advert curtain: counted in the position, out of the files
};

// Reads the ID3v1 tag at the end of the file, if there is one.
void ReadTags(Song& song);

// "Artist - Title", or the file's name without its extension when the song has no tag.
std::wstring DisplayName(const Song& song);

// The player's window title for the song at `position` (0-based): "N. Artist - Title - Winamp",
// without "N. " when the playlist number option is off; `no_song` when there is none.
std::wstring WindowTitle(const std::vector<Song>& songs, size_t position, const std::wstring& no_song, bool numbered);

// Writes the extended M3U playlist of 2.x (header line, then an info line and a path line per
// song that is not hidden, CRLF line ends, in the code page) to `path`. Returns false when it
// cannot be written.
bool WritePlaylistFile(const std::vector<Song>& songs, const std::wstring& path);

// The playlist as 5.x keeps it: the details (and so the information line) only of the songs it
// has played or shown, from `played_from` to `played_up_to`.
std::vector<PlaylistEntry> Winamp5Entries(const std::vector<Song>& songs, size_t played_from, size_t played_up_to);

}  // namespace sim
