#pragma once
#include <cstddef>
#include <string>

namespace sq {

// The player's title is read into a buffer of this many bytes: at most 255 characters and the
// terminating zero.
inline constexpr std::size_t kTitleBufferSize = 256;

// The song title the countdown compares, made from the player's window text: the display name
// without the playlist number ("12. ", shown only when that option of the player is on) and
// without every " - Winamp"; "No Song Playing" for the player's own name. The text is first cut
// as the title buffer would cut it (at its first zero byte, and to 255 characters), so a long
// display name keeps a trailing " - Winamp" that lies beyond the cut.
std::string SongTitleFromWindowText(const std::string& window_text);

}  // namespace sq
