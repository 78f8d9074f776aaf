#pragma once
// The playlist files the player writes on request 120: WINAMP.m3u in the system's code page and,
// from 5.x on, Winamp.m3u8 in UTF-8 with a byte-order mark. Line 1 is a header; after it, a line
// beginning with "#" is information about the next entry and any other line is an entry's path.
// 2.x writes an information line for every entry; 5.x only for entries whose details it has
// read, so entries are counted by their path lines. Lines end at LF; a CR just before the LF
// belongs to the line end.
#include <cstddef>
#include <cstdint>
#include <string>

namespace sq {

inline constexpr char kPlaylistFileName[] = "WINAMP.m3u";
inline constexpr char kUtf8PlaylistFileName[] = "Winamp.m3u8";

// The player's position is kept in 16 bits; the last position served is one below its maximum.
inline constexpr long kLastPlaylistPosition = INT16_MAX - 1;

// The bytes of one playlist file, front to back.
class PlaylistBytes {
public:
    virtual ~PlaylistBytes() = default;
    // Fills up to `size` bytes and returns how many; 0 at the end of the file or on a failure.
    virtual std::size_t Read(char* buffer, std::size_t size) = 0;
};

// The path line of the entry at `position` (counted from 0), without its line end. The empty
// string when the file holds no such entry (it ends first, or cannot be read) or the position
// lies outside 0..kLastPlaylistPosition: never another entry's line.
std::string ReadPlaylistEntry(PlaylistBytes& bytes, long position);

}  // namespace sq
