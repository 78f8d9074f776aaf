#pragma once
// WinAmpMod: what the plug-in learns from the player, by looking at its main window from outside
// and at the file-type registration it leaves in the registry. Every routine catches its own
// failures and returns what it has (empty text or 0); nothing is shown.
#include <windows.h>

#include <string>

#include "player/playing_file.h"

namespace sq::WinAmpMod {

// The player's main window as found by the latest FindWinAmp: 0 when the component loads, and
// not refreshed when the player closes or restarts, so requests until the next FindWinAmp go to
// the old handle and are not delivered.
extern HWND hWinAmp;

// Looks up the top-level window of class "Winamp v1.x" and keeps it in hWinAmp: 1 if found.
long FindWinAmp();
// The song title from the player's window text (looked up afresh; hWinAmp is not touched).
std::string GetSongTitle();
// Request 120 to hWinAmp: the player writes its playlist files and answers its current position,
// or -1; 0 when the request was not delivered.
long WritePlaylist();
// The file at the player's current playlist position, read from the playlist files in the folder
// the player names when its window belongs to this process (5.x), else in its program folder.
PlayingFile FindPlayingFile();
// FindPlayingFile's path in the code page, or the empty string.
std::string GetPlayingFile();
// The player's program path, cut from its registered command for playing a file.
std::string GetWinAmpPath();
// A REG_SZ value of at most 255 bytes (an empty name reads the key's default value); the empty
// string for anything else.
std::string ReadRegString(HKEY root, const std::string& key_path, const std::string& value_name);

}  // namespace sq::WinAmpMod
