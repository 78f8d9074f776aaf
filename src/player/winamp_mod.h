#pragma once
// WinAmpMod: what the plug-in learns from the player, by looking at its main window from outside.
#include <windows.h>

#include <string>

namespace sq::WinAmpMod {

// The player's main window as found by the latest FindWinAmp (0 until then).
HWND hWinAmp();

long FindWinAmp();
std::string GetSongTitle();
long WritePlaylist();

}  // namespace sq::WinAmpMod
