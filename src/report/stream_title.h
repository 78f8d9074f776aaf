#pragma once
// Internet radio as the player shows it. While a stream connects, buffers or is interrupted, the
// player puts the decoder's status in brackets at the start of the title ("[Connecting] ",
// "[Buffer: 37%] "), and before the first data arrives the title is the stream's address; its
// play state says "playing" all the while. Once a song plays, the title is the stream title with
// the station's name added ("Artist - Song (Station)"), and the player answers the bare stream
// title ("Artist - Song") as the stream's "streamtitle".
#include <string>

#include "common/played_song.h"

namespace sq {

// A song title (the playlist number already gone) that is a stream's status or its address, not
// a song: such ticks hold the countdown as a pause does. The MP3 input brackets its status; the
// Ogg input shows "Connecting..." and "Prebuffering : 50%" as the whole title.
bool IsStreamStatusTitle(const std::string& song_title);

// The stream title split at its first " - "; without one, the whole text is the track and the
// artist is empty.
ArtistAndTrack SplitStreamTitle(const std::string& stream_title);

}  // namespace sq
