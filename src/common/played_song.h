#pragma once
// The song a report is made of, in UTF-8: what the report's decision (report/) hands the
// submission run (submit/), and the playing file the player's reader (player/) names.
#include <string>

#include "common/http_scheme.h"

namespace sq {

struct PlayingFile {
    // In the system's code page, as the exclusion test compares it; characters the code page lacks
    // are written as the system writes them (a look-alike, or "?"). Empty when no playing file is
    // known.
    std::string path;
    // The same path in UTF-8 whenever the player gave it in a form that holds every character (a
    // wide answer, or its UTF-8 playlist), else empty: the file is opened by it.
    std::string utf8_path;

    bool empty() const { return path.empty() && utf8_path.empty(); }
    // An internet stream: its address is never opened as a file.
    bool IsStream() const { return IsHttpAddress(path) || IsHttpAddress(utf8_path); }
};

// Who a song is: from a file's tags, what the player knows, a stream's title, or what a request
// carries.
struct ArtistAndTrack {
    std::string artist;
    std::string track;

    bool Complete() const { return !artist.empty() && !track.empty(); }
};

// The song the tick that ended the countdown read.
struct PlayedSong {
    std::string title;      // the song title, the fallback for the track
    PlayingFile file;       // empty when the player does not say
    ArtistAndTrack stream;  // a stream's title as the player answers it, split; empty for a file
};

}  // namespace sq
