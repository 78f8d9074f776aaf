#pragma once
// What an entry's path line names. 2.x and 5.9 write full paths; 5.6x-5.7 write a file below the
// playlist folder relative to it and a file elsewhere on its drive without the drive letter
// ("\Music\a.mp3"). Works on code-page text and on UTF-8 alike: a separator is "\" or "/", and
// the byte after a lead byte of a double-byte code page is never taken for one.
#include <string>

#include "common/path_text.h"

namespace sq {

// The file an entry names, given the folder of the playlist file (ending in a backslash):
// - a full path ("C:\...", "\\server\share\..."), or a line with ":" before its first separator
//   (a drive-relative path, an address such as "http://..."), is returned unchanged;
// - a line beginning with one separator is put on the playlist folder's drive (or share);
// - any other line is taken relative to the playlist folder;
// in the last two, "." and ".." steps and doubled separators are resolved, never above the
// drive. An empty line, or a folder without a drive for a line that needs one, gives the line.
std::string ResolvePlaylistPath(const std::string& folder, const std::string& line,
                                LeadByteTest is_lead_byte = nullptr);

}  // namespace sq
