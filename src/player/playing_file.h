#pragma once
// The file the player is playing, and where the player's own playlist files name it when the
// player cannot say it itself.
#include <string>

#include "common/code_page.h"
#include "common/played_song.h"
#include "player/player_port.h"

namespace sq {

// A path the player answered as wide text, with its code-page form.
PlayingFile PlayingFileFromUtf8(const CodePage& code_page, std::string utf8_path);

// The entry at `position` of the playlist files the player has just written (kWritePlaylist), in
// the folder it names in its own process (5.x), else in its program folder. The UTF-8 playlist is
// read when it is current, for the code-page one holds look-alikes or "?" for what the code page
// lacks; a relative or drive-less line is completed from the folder.
PlayingFile PlaylistFilesEntry(PlayerPort& player, const CodePage& code_page, long position);

}  // namespace sq
