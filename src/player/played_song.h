#pragma once
// What a submission run is handed of the player, in UTF-8: the song the tick that ended the
// countdown read, and what the player knows of a file's artist and title.
#include <string>

#include "player/playing_file.h"
#include "player/stream_title.h"

namespace sq {

struct PlayedSong {
    std::string title;      // the song title, the fallback for the track
    PlayingFile file;       // empty when the player does not say
    ArtistAndTrack stream;  // a stream's title as the player answers it, split; empty for a file
};

struct PlayerTags {
    std::string artist;
    std::string title;
};

}  // namespace sq
