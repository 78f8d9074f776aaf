#pragma once
// What removing the plug-in in the player's preferences does. The player goes on running with
// the plug-in's window in it, so the files stay until it has ended; it deletes the wrapper itself
// at its next start.
#include <windows.h>

namespace sq {

inline constexpr wchar_t kUninstallerName[] = L"Sonoquill-Uninstall.exe";

// Asks whether the stored account and excluded folder go as well (No unless the user says Yes)
// and removes them if so; then starts the uninstaller the installer left beside the wrapper,
// which takes the registration and the uninstall entry away at once and the files once this
// process has ended. A copy made by hand has no uninstaller: its files stay.
void RemoveFromPlayer(HWND owner, HMODULE wrapper_module);

}  // namespace sq
