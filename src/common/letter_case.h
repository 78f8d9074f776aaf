#pragma once
// Text compared without regard to case is lowered first, both sides, by this one function. Which
// bytes are letters is the system code page's business (Ä and ä in the Western code pages,
// Cyrillic, full-width Latin in the East Asian ones), and only Windows knows it: where a rule
// compares in the code page's letter case, the shell hands in LowerCodePageLetters
// (common/win32_ansi_text.h), the submission run's excluded folder through its code-page port.
// Elsewhere A to Z are the letters: the protocol's words are ASCII, and the folder list has
// always sorted so.
#include <cstddef>
#include <string>

namespace sq {

// Lowers the letters among `size` bytes of 8-bit text, in place.
using LowerLettersFn = void (*)(char* text, std::size_t size);

// A to Z, the letters every code page shares.
void LowerAsciiLetters(char* text, std::size_t size);

std::string LowerCase(std::string text, LowerLettersFn lower_letters = &LowerAsciiLetters);

}  // namespace sq
