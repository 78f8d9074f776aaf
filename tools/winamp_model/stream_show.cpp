#include "stream_show.h"

namespace sim {
namespace {

// The seconds the connection takes, and the status shown in each.
const wchar_t* const kConnecting[] = {L"", L"[Connecting] ", L"[Buffer: 37%] ", L"[Buffer: 81%] "};
constexpr int kFirstData = static_cast<int>(sizeof kConnecting / sizeof kConnecting[0]);

}  // namespace

StreamShow ShowStream(const Entry& stream, int seconds_played) {
    if (seconds_played < kFirstData) return {kConnecting[seconds_played < 0 ? 0 : seconds_played], stream.path, {}};
    const int since_data = seconds_played - kFirstData;
    std::wstring song;
    for (const StreamSong& sent : stream.stream_songs) {
        if (sent.second <= since_data) song = sent.title;
    }
    std::wstring title = song;
    if (!stream.station.empty()) title = song.empty() ? stream.station : song + L" (" + stream.station + L")";
    return {L"", title.empty() ? stream.path : title, song};
}

}  // namespace sim
