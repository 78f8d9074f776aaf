#pragma once
// UTF-8, which the player's second playlist file holds, met at the Windows boundary: the core
// keeps it as bytes, Windows takes it as wide text.
#include <windows.h>

#include <string>

namespace sq {

std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);
}  // namespace sq
