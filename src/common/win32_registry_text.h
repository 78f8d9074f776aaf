#pragma once
// String values of the registry, as the settings and the player's registration are read: one query
// reads them, and each reader keeps its own rule of what it takes.
#include <windows.h>

#include <string>

namespace sq {

// A REG_SZ or REG_EXPAND_SZ value (unexpanded) of any length, in the system's code page and
// without its trailing NULs; the empty string for a missing key or value and for any other type.
std::string ReadRegistryText(HKEY root, const wchar_t* key_path, const wchar_t* value_name);

// A REG_SZ value of at most 255 bytes in the system's code page, up to its first NUL (one stored
// without a terminator is kept whole, and may take 256); the empty string for a missing key or
// value, any other type and a longer value. An empty name reads the key's default value.
std::string ReadShortRegistryText(HKEY root, const wchar_t* key_path, const wchar_t* value_name);

}  // namespace sq
