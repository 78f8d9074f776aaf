#pragma once
// The artist and title a submission run takes from the playing file's tags.
#include <string>

namespace sq {

struct SongTags {
    std::string track;   // clsMP3's Songname
    std::string artist;  // clsMP3's Artist
};

// Reads `path` with a new clsMP3. A failed read is not reported: the result then holds what the
// reader had set before the failure (normally nothing).
SongTags ReadSongTags(const std::string& path);

}  // namespace sq
