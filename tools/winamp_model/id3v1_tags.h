#pragma once
// The artist and title of a file's ID3v1 tag, as the player reads them when it adds a file and
// writes them when its file-info dialog saves them.
#include <string>

#include "entry.h"

namespace sim {

// Fills the entry's artist and title from the tag at the end of its file; leaves them when the
// file has none or cannot be read.
void ReadId3v1Tags(Entry& entry);

// Puts the artist and title into the tag at the end of the file, keeping the rest of what it
// holds, or appends a tag with only them to a file without one. False when the file cannot be
// opened, read or written.
bool WriteId3v1Tags(const std::wstring& path, const std::wstring& artist, const std::wstring& title);

}  // namespace sim
