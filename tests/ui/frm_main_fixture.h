#pragma once
// Shared helpers of the frmMain tests: the real settings key, folders the tests make, and ways to
// act on the window as a user would (clicks, double clicks, keys) from the window's own thread.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/stored_settings.h"

namespace uitest {

using sqtest::ClearSettings;
using sqtest::kSettingsKey;
using sqtest::ReadRaw;
using sqtest::StoreRaw;

// Folders made by the tests, on drive C: of the test prefix.
inline constexpr wchar_t kTestRoot[] = L"C:\\sq_frm_main";

void MakeFolders(const std::wstring& path);  // with every missing parent
// Makes kTestRoot\Music with Ambient, Live (holding Encores) and Studio, and kTestRoot\Start.
void MakeTestFolders();

// Dispatches messages (through the window's dialog-key handling) until `done` or the time-out.
bool PumpUntil(const std::function<bool()>& done, DWORD timeout_ms = 3000);
void PumpFor(DWORD ms);

// A left click in the middle of a control, pressed and released: the control takes the focus.
void Click(HWND control);
// Double click on an entry of a list box.
void DoubleClickItem(HWND list, int index);
void ClickItem(HWND list, int index);
// Key presses through the system's input queue (SendInput), to the window with the focus.
void PressKeys(const std::vector<WORD>& down_then_up_in_reverse);

std::vector<std::wstring> ListItems(HWND list);
std::vector<std::wstring> ComboItems(HWND combo);

// Runs each step from a thread timer, one every `gap_ms`, inside whatever loop is running.
void RunStepsFromTimer(std::vector<std::function<void()>> steps, UINT gap_ms = 100);

}  // namespace uitest
