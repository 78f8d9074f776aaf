#pragma once
// What a playing stream shows at each second: before its first data the bare address; while it
// connects and buffers, the decoder's status in brackets before the address; then the station's
// name until the stream sends its first title, "Artist - Song (Station)" while it sends a song,
// and "(Station)" while the title it sends is empty (a station break, talk).
#include <string>

#include "entry.h"

namespace sim {

struct StreamShow {
    std::wstring status;        // "[Connecting] ", "[Buffer: 37%] " or nothing
    std::wstring title;         // as the caption shows it
    std::wstring stream_title;  // the bare "Artist - Song" ("streamtitle"); empty while it sends none
};

StreamShow ShowStream(const Entry& stream, int seconds_played);

}  // namespace sim
