#pragma once
// The artist and title of a file's ID3v1 tag, as the player reads them when it adds a file.
#include "entry.h"

namespace sim {

// Fills the entry's artist and title from the tag at the end of its file; leaves them when the
// file has none or cannot be read.
void ReadId3v1Tags(Entry& entry);

}  // namespace sim
