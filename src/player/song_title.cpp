#include "player/song_title.h"

namespace sq {
namespace {

const std::string kPlayerSuffix = " - Winamp";

std::string WithoutEvery(const std::string& text, const std::string& piece) {
    std::string cleaned;
    cleaned.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, from)) {
        cleaned.append(text, from, at - from);
        from = at + piece.size();
    }
    cleaned.append(text, from, std::string::npos);
    return cleaned;
}

}  // namespace

std::string SongTitleFromWindowText(const std::string& window_text) {
    std::string text = window_text.substr(0, window_text.find('\0'));
    if (text.size() > kTitleBufferSize - 1) text.resize(kTitleBufferSize - 1);

    std::string result;
    if (text.compare(0, 3, "Win") == 0) {
        // The player shows its own name and version when no song is loaded.
        result = "No Song Playing";
    } else {
        // "12. Artist - Song - Winamp": the display name starts two characters after the first
        // full stop; a text without one loses only its first character.
        const std::size_t stop = text.find('.');
        const std::size_t start = stop == std::string::npos ? 1 : stop + 2;
        if (start < text.size()) result = text.substr(start);
    }
    return WithoutEvery(result, kPlayerSuffix);
}

}  // namespace sq
