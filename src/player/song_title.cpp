#include "player/song_title.h"

namespace sq {

std::string SongTitleFromWindowText(const std::string& window_text) {
    std::string result;
    if (window_text.compare(0, 3, "Win") == 0) {
        result = "No Song Playing";
    } else {
        // The text after "N. "; a text without a full stop loses its first character.
        const size_t stop = window_text.find('.');
        const size_t start = stop == std::string::npos ? 1 : stop + 2;
        result = start < window_text.size() ? window_text.substr(start) : std::string();
    }
    static const std::string kSuffix = " - Winamp";
    std::string cleaned;
    cleaned.reserve(result.size());
    size_t from = 0;
    for (size_t at = result.find(kSuffix); at != std::string::npos; at = result.find(kSuffix, from)) {
        cleaned.append(result, from, at - from);
        from = at + kSuffix.size();
    }
    cleaned.append(result, from, std::string::npos);
    return cleaned;
}

}  // namespace sq
