#pragma once
// The simulator's own controls on the player's window, for a person watching it: the Play menu,
// the Plug-ins menu (configure each plug-in, and remove it where the player's preferences can),
// the now-playing line and the list of general-purpose plug-ins (read by tests as control 200).
#include <windows.h>

#include <string>

#include "gen_plugins.h"

namespace sim {

enum Command : UINT {
    kCmdNext = 300,
    kCmdExit = 301,
    kCmdPlay = 302,
    kCmdPause = 303,
    kCmdStop = 304,
    kCmdConfigBase = 400,
    kCmdUninstallBase = 500,
};

HMENU MakeMenuBar();
void AddControls(HWND player);
void ShowNowPlaying(HWND player, const std::wstring& line);
void RefreshPluginList(HWND player, const GenPlugins& plugins, bool removable);

}  // namespace sim
