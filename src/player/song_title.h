#pragma once
#include <string>

namespace sq {

// The song title the countdown compares, made from the player's window text (already cut to
// the 255 characters the title buffer holds).
std::string SongTitleFromWindowText(const std::string& window_text);

}  // namespace sq
