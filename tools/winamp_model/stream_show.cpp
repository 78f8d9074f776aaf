#include "stream_show.h"

#include <algorithm>
#include <cwctype>

namespace sim {
namespace {

// A station's first seconds with the MP3 input, and the status shown in each.
const wchar_t* const kStationConnecting[] = {L"", L"[Connecting] ", L"[Buffer: 37%] ", L"[Buffer: 81%] "};
constexpr int kStationFirstData = static_cast<int>(sizeof kStationConnecting / sizeof kStationConnecting[0]);
// Plain HTTP: "[Connecting] " from this second, and the first data a second later.
constexpr int kPlainConnects = 1;
constexpr int kPlainFirstData = 2;
// The Ogg input's titles in its first seconds (the first is the player's: the address).
const wchar_t* const kOggConnecting[] = {nullptr, L"Connecting...", L"Prebuffering : 50%", L"Prebuffering : 83%"};
constexpr int kOggFirstData = static_cast<int>(sizeof kOggConnecting / sizeof kOggConnecting[0]);

// The last part of the address's path, without its query: "episode.mp3"; empty for a bare host
// or a path that ends in a slash.
std::wstring FileName(const std::wstring& address) {
    const std::size_t scheme = address.find(L"://");
    const std::size_t host = scheme == std::wstring::npos ? 0 : scheme + 3;
    const std::wstring path = address.substr(0, address.find_first_of(L"?#", host));
    const std::size_t slash = path.find(L'/', host);
    return slash == std::wstring::npos ? std::wstring() : path.substr(path.rfind(L'/') + 1);
}

std::wstring Extension(const std::wstring& name) {
    const std::size_t dot = name.rfind(L'.');
    std::wstring extension = dot == std::wstring::npos ? std::wstring() : name.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c))); });
    return extension;
}

// The song or link the stream sends at `since_data` seconds after its first data.
const StreamSong* SongAt(const Entry& stream, int since_data) {
    const StreamSong* sent = nullptr;
    for (const StreamSong& song : stream.stream_songs) {
        if (song.second <= since_data) sent = &song;
    }
    return sent;
}

StreamShow ShowStation(const Entry& stream, int seconds) {
    if (seconds < kStationFirstData) return {kStationConnecting[seconds], stream.path, L"", {}, {}, {}};
    const StreamSong* sent = SongAt(stream, seconds - kStationFirstData);
    const std::wstring song = sent ? sent->title : std::wstring();
    std::wstring title = song;
    if (!stream.station.empty()) {
        // The player names the station alone until a title arrives; an empty title it has been
        // sent keeps only the parentheses it puts the station in after a song.
        title = !sent ? stream.station : (song.empty() ? L"" : song + L" ") + L"(" + stream.station + L")";
    }
    return {L"", title.empty() ? stream.path : title, song, L"2", {}, {}};
}

StreamShow ShowPlain(const Entry& stream, int seconds) {
    const bool tagged = stream.id3v2_after >= 0;
    // A tag leads the audio: the input shows what it reads only once the whole tag is in.
    const int first_data = tagged ? kPlainConnects + stream.id3v2_after : kPlainFirstData;
    if (seconds < kPlainConnects) return {L"", stream.path, L"", {}, {}, {}};
    if (seconds < first_data) return {L"[Connecting] ", stream.path, L"", {}, {}, {}};
    const std::wstring type = stream.server == HttpServer::kStationHeaders ? L"2" : L"1";
    if (tagged) return {L"", stream.DisplayName(), L"", type, stream.artist, stream.title};
    const std::wstring name = FileName(stream.path);
    return {L"", name.empty() ? stream.path : name, L"", type, {}, {}};
}

StreamShow ShowOgg(const Entry& stream, int seconds) {
    if (seconds < kOggFirstData) return {L"", seconds == 0 ? stream.path : kOggConnecting[seconds], {}, {}, {}, {}};
    const StreamSong* link = SongAt(stream, seconds - kOggFirstData);
    return {L"", link && !link->title.empty() ? link->title : stream.path, {}, {}, {}, {}};
}

}  // namespace

HttpInput InputOf(const std::wstring& address) {
    const std::wstring extension = Extension(FileName(address));
    if (extension == L"ogg" || extension == L"oga") return HttpInput::kOgg;
    if (extension == L"m4a" || extension == L"mp4") return HttpInput::kMp4;
    if (extension == L"flac") return HttpInput::kFlac;
    return HttpInput::kMp3;
}

StreamShow ShowStream(const Entry& stream, int seconds_played) {
    const int seconds = std::max(seconds_played, 0);
    switch (InputOf(stream.path)) {
    case HttpInput::kOgg:
        return ShowOgg(stream, seconds);
    case HttpInput::kMp4: {
        const std::wstring name = FileName(stream.path);
        return {L"", seconds == 0 ? stream.path : name.substr(0, name.rfind(L'.')), {}, {}, {}, {}};
    }
    case HttpInput::kFlac:
        return {L"", stream.path, {}, {}, {}, {}};
    case HttpInput::kMp3:
        break;
    }
    return stream.server == HttpServer::kStationTitles ? ShowStation(stream, seconds) : ShowPlain(stream, seconds);
}

int PositionStart(const Entry& stream) { return InputOf(stream.path) == HttpInput::kOgg ? kOggFirstData : 0; }

}  // namespace sim
