#include "report/stream_title.h"

#include "common/http_scheme.h"

namespace sq {

bool IsStreamStatusTitle(const std::string& song_title) {
    const bool bracketed = !song_title.empty() && song_title[0] == '[' && song_title.find(']') != std::string::npos;
    const bool unbracketed = song_title == "Connecting..." || song_title.rfind("Prebuffering : ", 0) == 0;
    return bracketed || unbracketed || IsHttpAddress(song_title);
}

ArtistAndTrack SplitStreamTitle(const std::string& stream_title) {
    static const std::string kSeparator = " - ";
    const std::size_t at = stream_title.find(kSeparator);
    if (at == std::string::npos) return {{}, stream_title};
    return {stream_title.substr(0, at), stream_title.substr(at + kSeparator.size())};
}

}  // namespace sq
