#include "player/song_title.h"

#include <string_view>

#include "common/text_replace.h"
#include "player/scrolled_caption.h"

namespace sq {
namespace {

constexpr std::string_view kPlayerSuffix = " - Winamp";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The player's own name and version ("Winamp 5.9.2 Build 10042") with no song loaded. A song
// whose name begins with "Win" still carries the player's suffix.
bool IsPlayersOwnName(const std::string& text) {
    return text.compare(0, 3, "Win") == 0 && text.find(kPlayerSuffix) == std::string::npos;
}

// UTF-16 units of the character that begins with `lead` (UTF-8): two beyond the basic plane, none
// for a continuation byte, one for anything else (a stray byte counts as one character).
std::size_t WideUnits(unsigned char lead) {
    if (lead >= 0xF0) return 2;
    return (lead & 0xC0) == 0x80 ? 0 : 1;
}

// The text as far as a buffer of kTitleBufferSize wide characters holds it, whole characters only.
std::string CutToTitleBuffer(const std::string& text) {
    std::size_t units = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        units += WideUnits(static_cast<unsigned char>(text[i]));
        if (units > kTitleBufferSize - 1) return text.substr(0, i);
    }
    return text;
}

// "12. Artist - Song": the playlist number is an option of the player, so a title without one is
// a display name from its first character.
std::string WithoutPlaylistNumber(const std::string& text) {
    std::size_t digits = 0;
    while (digits < text.size() && IsDigit(text[digits])) ++digits;
    if (digits == 0 || text.compare(digits, 2, ". ") != 0) return text;
    return text.substr(digits + 2);
}

}  // namespace

std::string SongTitleFromWindowText(const std::string& window_text) {
    const std::string text = CutToTitleBuffer(UnscrolledCaption(window_text.substr(0, window_text.find('\0'))));
    if (IsPlayersOwnName(text)) return "No Song Playing";
    return ReplaceAll(WithoutPlaylistNumber(text), kPlayerSuffix, "");
}

std::string SongTitleFromPlayingTitle(const std::string& playing_title) {
    return CutToTitleBuffer(playing_title.substr(0, playing_title.find('\0')));
}

}  // namespace sq
