#pragma once
// The lookup of the playing file's path, over the player routines it needs. The Windows shell
// answers these with the real player window and registry; tests answer them with fakes.
#include <string>

namespace sq {

// The file at the player's current playlist position.
struct PlayingFile {
    std::string path;       // in the system's code page; empty when no playing file is known
    std::string utf8_path;  // set only when the code page cannot hold the path: the same path in UTF-8
};

class PlayerLink {
public:
    virtual ~PlayerLink() = default;
    // Request 120 to the window the latest FindWinAmp found: the current position, -1 on
    // failure, 0 when nothing answered.
    virtual long WritePlaylist() = 0;
    // The player's program path, or the empty string.
    virtual std::string GetWinAmpPath() = 0;
    // 1 when the player window was found (and is now the target of WritePlaylist), else 0.
    virtual long FindWinAmp() = 0;
    // Line 2p + 3 of the playlist file at `file_path` (see ReadPlaylistPathLine).
    virtual std::string ReadPathLine(const std::string& file_path, long position);
};

// The path line of the player's current playlist entry, or the empty string. The first request
// goes to the window the previous lookup found, so after the player restarts (or on the first
// lookup) it is not answered; the second, sent after FindWinAmp, gives the position, and by then
// the player has rewritten its playlist file.
std::string LookUpPlayingFile(PlayerLink& player);

}  // namespace sq
