#pragma once
// The per-user settings: "Username", "Password" and "Exclude" under
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\Sonoquill\Settings, where earlier
// releases of this client kept them. Nothing else touches these keys.
#include <windows.h>

#include <string>

#include "common/settings_keys.h"

namespace sq::settings {

// A value never written, or one that cannot be read, is the empty string.
std::string Get(const char* key);
// Replaces the value. A failed write is ignored: there is nowhere sensible to report it.
void Save(const char* key, const std::string& value);
// Removes all three and the section (and the application's key, unless something else is kept
// under it): the user removed the plug-in and asked for them to go. ERROR_SUCCESS when nothing
// of them is left.
LSTATUS RemoveAll();

}  // namespace sq::settings
