#pragma once
// Whether a text is an internet address the way every layer asks it: the service's addresses,
// the player's streams. Only the ASCII prefix decides, so code-page and UTF-8 text read alike.
#include <cstddef>
#include <string>

namespace sq {

// The length of the "http://" (7) or "https://" (8) that `text` begins with, the scheme in any
// case; 0 when it begins with neither.
std::size_t HttpSchemeLength(const std::string& text);

inline bool IsHttpAddress(const std::string& text) { return HttpSchemeLength(text) != 0; }

}  // namespace sq
