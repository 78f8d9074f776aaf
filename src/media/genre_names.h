#pragma once
#include <cstdint>
#include <string>

namespace sq {

// The genre's name for numbers 0 to 125, empty text for any other number (there is no
// fallback name: 126 to 255 of an ID3v1 genre byte give empty text too).
std::string GenreName(std::int16_t number);

}  // namespace sq
