#pragma once
// WinAmpMod: what the plug-in learns from the player: its main window's title, the requests the
// window answers, and the file-type registration the player leaves in the registry. Every
// routine catches its own failures and returns what it has (empty text or 0); nothing is shown.
#include <windows.h>

#include <string>

#include "player/playing_file.h"

namespace sq::WinAmpMod {

// The player's main window as found by the latest FindWinAmp: 0 when the component loads, and
// not refreshed when the player closes or restarts, so requests until the next FindWinAmp go to
// the old handle and are not delivered.
extern HWND hWinAmp;

// The player's main window: the top-level window of class "Winamp v1.x" that belongs to this
// process (the player that loaded the plug-in) when there is one, otherwise the first the system
// finds; nullptr when there is none.
HWND FindPlayerWindow();
// FindPlayerWindow's window, kept in hWinAmp: 1 if found.
long FindWinAmp();
// The song title from the player's window text (looked up afresh; hWinAmp is not touched).
std::string GetSongTitle();
// The same from a window found already.
std::string GetSongTitle(HWND player);
// Request 104 to `player`: 1 playing, 3 paused, 0 stopped; 0 when nothing answers.
long GetPlayState(HWND player);
inline constexpr long kPlaying = 1;
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
