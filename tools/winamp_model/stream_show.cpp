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
    const StreamSong* sent = nullptr;
    for (const StreamSong& song : stream.stream_songs) {
        if (song.second <= since_data) sent = &song;
    }
    const std::wstring song = sent ? sent->title : std::wstring();
    std::wstring title = song;
    if (!stream.station.empty()) {
        // The player names the station alone until a title arrives; an empty title it has been
        // sent keeps only the parentheses it puts the station in after a song.
        title = !sent ? stream.station : (song.empty() ? L"" : song + L" ") + L"(" + stream.station + L")";
    }
    return {L"", title.empty() ? stream.path : title, song};
}

}  // namespace sim
