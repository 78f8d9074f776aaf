#pragma once
// The core keeps text as bytes in the system's 8-bit code page (and the player's UTF-8 playlist
// as UTF-8 bytes); Windows wide APIs and BSTRs meet it only here.
#include <windows.h>
#include <oleauto.h>

#include <string>

namespace sq {

std::wstring WideFromAnsi(const std::string& bytes);
std::string AnsiFromWide(const wchar_t* text, size_t length);
std::string AnsiFromWide(const std::wstring& text);
std::string AnsiFromBstr(BSTR text);
// Returns nullptr only when the system is out of memory.
BSTR BstrFromAnsi(const std::string& bytes);

// The code page's own letter case (Ä and ä too), for LowerCase (common/letter_case.h).
void LowerCodePageLetters(char* text, size_t size);
// The first bytes of the code page's two-byte characters, for its paths (common/path_text.h).
bool IsCodePageLeadByte(unsigned char byte);

// UTF-8, which the player's second playlist file holds.
std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);

}  // namespace sq
