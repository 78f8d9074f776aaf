#pragma once
// An entry of the player's playlist: a file, a stream's address, or a hidden entry, with what the
// player has read about it.
#include <string>
#include <utility>
#include <vector>

namespace sim {

// A song a stream sends ("Artist - Song"), from `second` seconds after its first data: a
// station's in-band title, or the "ARTIST - TITLE" of a new link of a chained Ogg stream.
struct StreamSong {
    int second;
    std::wstring title;
};

// What the server of an http address sends besides the audio, as the MP3 input reads it.
enum class HttpServer {
    kStationTitles,   // a SHOUTcast/Icecast station with in-band titles (an icy-metaint header)
    kStationHeaders,  // a station's icy-genre, icy-url or icy-notice2 headers, no in-band titles
    kPlain,           // plain HTTP: a file, perhaps with an ID3v2 tag, or a station that sends nothing else
};

struct Entry {
    Entry() = default;
    // A file or a stream, and the artist and title the player has read of it.
    Entry(std::wstring file_or_address, std::wstring read_artist = {}, std::wstring read_title = {})
        : path(std::move(file_or_address)), artist(std::move(read_artist)), title(std::move(read_title)) {}

    std::wstring path;    // full path, or a stream's address
    std::wstring artist;  // as the player read them (ID3v1, ID3v2.4, FLAC, MP4 ...); empty without
    std::wstring title;
    std::wstring album;
    int seconds = 60;     // how long it plays before the next entry starts
    bool hidden = false;  // an advert curtain: counted in the position and by 211/214, out of the files
    bool video = false;   // a film: its input plug-in opens the video output while it plays
    std::wstring station;                  // a stream's name
    std::vector<StreamSong> stream_songs;  // in the order it sends them
    HttpServer server = HttpServer::kStationTitles;
    // Served plain, an ID3v2 tag at the start of the audio (its artist and title are `artist` and
    // `title`), which the MP3 input has read this many seconds after it began to connect; -1: none.
    int id3v2_after = -1;
    bool details_read = false;  // played or shown; 5.x writes an information line only then

    bool IsStream() const;
    // "Artist - Title", the one of them it has, or the file's name without its extension.
    std::wstring DisplayName() const;
};

}  // namespace sim
