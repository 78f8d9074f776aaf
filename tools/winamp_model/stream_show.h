#pragma once
// What a playing address shows and answers at each second of its play. The player hands an http
// address to the input plug-in that claims its extension, and shows the bare address for the
// first second, until the input names what plays:
// - The MP3 input (.mp3, .aac, and any extension no other input claims):
//   - a station with in-band titles (HttpServer::kStationTitles): the decoder's status in
//     brackets before the address while it connects and buffers ("[Connecting] ",
//     "[Buffer: 37%] "), then the station's name until the first title arrives, "Artist - Song
//     (Station)" while it sends a song and "(Station)" while the title it sends is empty;
//     "streamtitle" is the bare song ("" while none), "streamtype" 2 once connected;
//   - plain HTTP, or a station's headers alone: "[Connecting] " before the address after the
//     first second, until its first data or until it has read the file's ID3v2 tag; then the
//     tag's "Artist - Title", else the address's file name with its extension ("episode.mp3");
//     "streamtitle" is "", "streamtype" 1 (2 with a station's headers) once connected, "artist"
//     and "title" the tag's once it is read.
//   While it connects "streamtype" is not known; without an ID3v2 tag "artist" and "title" never.
// - The Ogg input (.ogg, .oga): its status as the whole title, "Connecting...", then
//   "Prebuffering : N%", then the "ARTIST - TITLE" of each link of the chained stream. It knows no
//   field of an address; its position (105) runs from its first data.
// - The MP4 input (.m4a, .mp4): the address's file name without its extension ("episode"); no
//   field known.
// - The FLAC input (.flac) refuses an address with a message box: the caption keeps the address;
//   no field known. (The box, and what the player does after it, are not modelled.)
#include <optional>
#include <string>

#include "entry.h"

namespace sim {

enum class HttpInput { kMp3, kOgg, kMp4, kFlac };

// The input plug-in that claims the address, by its extension.
HttpInput InputOf(const std::wstring& address);

struct StreamShow {
    std::wstring status;  // "[Connecting] ", "[Buffer: 37%] " or nothing
    std::wstring title;   // as the caption shows it
    // What 3026 and 290 answer for the playing address; nothing where the request returns 0.
    std::optional<std::wstring> stream_title;
    std::optional<std::wstring> stream_type;
    std::optional<std::wstring> artist;
    std::optional<std::wstring> song_title;  // the "title" field
};

StreamShow ShowStream(const Entry& stream, int seconds_played);

// The second of play from which request 105 counts: the Ogg input's first data, else 0.
int PositionStart(const Entry& stream);

}  // namespace sim
