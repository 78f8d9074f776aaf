#pragma once
#include <cstddef>
#include <string>

namespace sq {

// The player's caption is read as it would be into a buffer of this many wide characters: at
// most 255 and the terminating zero.
inline constexpr std::size_t kTitleBufferSize = 256;

// The song title the countdown compares, made from the player's caption (UTF-8): the display name
// without the playlist number ("12. ", shown only when that option of the player is on) and
// without every " - Winamp"; "No Song Playing" for the player's own name. The caption is first cut
// as the title buffer would cut it (at its first zero, and to 255 wide characters, never inside
// one character), so a long display name keeps a trailing " - Winamp" that lies beyond the cut.
std::string SongTitleFromWindowText(const std::string& window_text);

}  // namespace sq
