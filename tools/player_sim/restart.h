#pragma once
// Removing a plug-in whose winampUninstallPlugin answers 0 closes 5.9 and starts it again at
// once, with the arguments it was given minus the removal; the new instance waits for the old one
// to end, then deletes the removed DLL before it loads its plug-ins.
#include <windows.h>

#include <string>
#include <vector>

namespace sim {

// Starts this program again, telling it which process to wait for (--after-process); the new
// process's id, or 0 when it cannot be started.
DWORD StartAgain(const std::vector<std::wstring>& arguments);

// Waits, for a minute at the most, until process `id` has ended.
void WaitForProcessEnd(DWORD id);

}  // namespace sim
