#pragma once
// Text in a code page, converted as the player converts it: with the system's default conversion,
// a look-alike for a character the code page lacks where it has one, "?" where not.
#include <windows.h>

#include <string>

namespace sim {

std::string EncodedText(const std::wstring& text, UINT code_page);
std::wstring DecodedText(const std::string& bytes, UINT code_page);

}  // namespace sim
