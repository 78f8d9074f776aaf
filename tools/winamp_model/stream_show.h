#pragma once
// What a playing stream shows at each second: before its first data the bare address; while it
// connects and buffers, the decoder's status in brackets before the address; then "Artist - Song
// (Station)", the song changing as the stream sends the next one.
#include <string>

#include "entry.h"

namespace sim {

struct StreamShow {
    std::wstring status;        // "[Connecting] ", "[Buffer: 37%] " or nothing
    std::wstring title;         // as the caption shows it
    std::wstring stream_title;  // the bare "Artist - Song" ("streamtitle"); empty before the first data
};

StreamShow ShowStream(const Entry& stream, int seconds_played);

}  // namespace sim
