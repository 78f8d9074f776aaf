#pragma once
// A playlist file read by its path, as the tests and the lookup benchmark read the files they
// write; the plug-in reads the player's files through its port.
#include <string>

namespace sqtest {

// ReadPlaylistEntry of the file at `file_path` (the empty string when it cannot be opened).
std::string ReadPlaylistEntry(const std::string& file_path, long position);

}  // namespace sqtest
