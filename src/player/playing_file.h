#pragma once
// The file the player is playing, and where the player's own playlist files name it when the
// player cannot say it itself.
#include <string>

#include "common/code_page.h"
#include "player/player_port.h"

namespace sq {

struct PlayingFile {
    // In the system's code page, as the exclusion test compares it; characters the code page lacks
    // are written as the system writes them (a look-alike, or "?"). Empty when no playing file is
    // known.
    std::string path;
    // The same path in UTF-8 whenever the player gave it in a form that holds every character (a
    // wide answer, or its UTF-8 playlist), else empty: the file is opened by it.
    std::string utf8_path;

    bool empty() const { return path.empty() && utf8_path.empty(); }
    // An internet stream: its address is never opened as a file.
    bool IsStream() const;
};

// A path the player answered as wide text, with its code-page form.
PlayingFile PlayingFileFromUtf8(const CodePage& code_page, std::string utf8_path);

// The entry at `position` of the playlist files the player has just written (kWritePlaylist), in
// the folder it names in its own process (5.x), else in its program folder. The UTF-8 playlist is
// read when it is current, for the code-page one holds look-alikes or "?" for what the code page
// lacks; a relative or drive-less line is completed from the folder.
PlayingFile PlaylistFilesEntry(PlayerPort& player, const CodePage& code_page, long position);

}  // namespace sq
