#pragma once
// The core keeps text as bytes in the system's 8-bit code page; Windows wide APIs and BSTRs
// meet it only here.
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

}  // namespace sq
