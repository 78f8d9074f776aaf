#pragma once
// The 128-byte ID3v1 block at the end of a file.
#include <cstddef>
#include <string>

namespace sq {

struct Id3v1Values {
    std::string title, artist, album, year, comment, genre;
};

constexpr std::size_t kId3v1BlockSize = 128;

// True when `block` starts with "TAG"; then `out` holds its fields, cleaned as the player has
// always shown them: trailing spaces dropped before NULs are removed (so "Song", one space and
// NULs keeps its space), and the comment stripped of every code from 0 to 47.
bool ParseId3v1Block(const unsigned char (&block)[kId3v1BlockSize], Id3v1Values& out);

}  // namespace sq
