#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace sq {

// Reads a genre text that is a plain decimal number: optional sign, digits with an optional
// fraction (".5" and "17." count), spaces around it. Gives nothing for any other text.
// A fraction is rounded to the nearest whole number, halves to the even one; a result outside
// the 16-bit range throws ClsMP3Error 6 "Overflow".
std::optional<std::int16_t> GenreNumberFromText(std::string_view text);

}  // namespace sq
