#pragma once
#include <cstddef>
#include <string>

namespace sq {

// The player's caption is read as it would be into a buffer of this many wide characters: at
// most 255 and the terminating zero.
inline constexpr std::size_t kTitleBufferSize = 256;

// The song title the countdown compares, made from the player's caption (UTF-8): the display name
// without the playlist number ("12. ", shown only when that option of the player is on) and
// without every " - Winamp"; "No Song Playing" for the player's own name. The caption ends at its
// first zero; a scrolled copy is read back to the caption it rotates (whose two copies the buffer
// would not hold); then it is cut as the title buffer would cut it (to 255 wide characters, never
// inside one character), so a long display name keeps a trailing " - Winamp" beyond the cut.
std::string SongTitleFromWindowText(const std::string& window_text);

// The song title made from the title the player answers itself (UTF-8), which has no number, no
// suffix and no scroll: cut as the caption is.
std::string SongTitleFromPlayingTitle(const std::string& playing_title);

}  // namespace sq
