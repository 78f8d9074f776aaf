#pragma once
// The player's playlist file WINAMP.m3u: a header line, then two lines per entry (information,
// then the file path), each ending in CR LF.
#include <cstdint>
#include <string>

namespace sq {

inline constexpr char kPlaylistFileName[] = "WINAMP.m3u";

// The player's position is kept in 16 bits and the lookup reads p + 1 pairs of lines, so the
// last position it can serve is one below the 16-bit maximum.
inline constexpr long kLastPlaylistPosition = INT16_MAX - 1;

// Line number (counted from 1) of the path of the entry at `position` (counted from 0).
constexpr long PlaylistPathLineNumber(long position) { return 2 * position + 3; }

// Reads the file once, front to back, and returns line 2p + 3 without its line end. A file
// that ends before that line gives the last line it holds (so a header-only file gives the
// header); a file that cannot be opened, or a position outside 0..kLastPlaylistPosition, gives
// the empty string. Lines end at LF; a CR just before the LF belongs to the line end.
std::string ReadPlaylistPathLine(const std::string& file_path, long position);

}  // namespace sq
