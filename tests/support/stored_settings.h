#pragma once
// The plug-in's settings as the registry of the test prefix holds them, read and written around
// the settings store rather than through it.
#include <windows.h>

#include <optional>
#include <string>

namespace sqtest {

inline constexpr wchar_t kSettingsKey[] = L"Software\\VB and VBA Program Settings\\Sonoquill\\Settings";

void ClearSettings();
void StoreRaw(const wchar_t* name, const std::wstring& value);
// The stored value when it exists as REG_SZ; nothing when it is absent (or of another type).
std::optional<std::wstring> ReadRaw(const wchar_t* name);

}  // namespace sqtest
