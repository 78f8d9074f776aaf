#include "player/stream_title.h"

#include "common/letter_case.h"

namespace sq {
namespace {

// The schemes are ASCII, so A to Z are all the letters that count.
bool StartsWithIgnoringCase(const std::string& text, const std::string& lower_prefix) {
    return LowerCase(text.substr(0, lower_prefix.size())) == lower_prefix;
}

}  // namespace

bool IsStreamAddress(const std::string& path) {
    return StartsWithIgnoringCase(path, "http://") || StartsWithIgnoringCase(path, "https://");
}

bool IsStreamStatusTitle(const std::string& song_title) {
    const bool bracketed_status = !song_title.empty() && song_title[0] == '[' && song_title.find(']') != std::string::npos;
    return bracketed_status || IsStreamAddress(song_title);
}

ArtistAndTrack SplitStreamTitle(const std::string& stream_title) {
    static const std::string kSeparator = " - ";
    const std::size_t at = stream_title.find(kSeparator);
    if (at == std::string::npos) return {{}, stream_title};
    return {stream_title.substr(0, at), stream_title.substr(at + kSeparator.size())};
}

}  // namespace sq
