#include "common/http_scheme.h"

#include "common/letter_case.h"

namespace sq {

std::size_t HttpSchemeLength(const std::string& text) {
    // The schemes are ASCII, so A to Z are all the letters that count.
    const std::string lower = LowerCase(text.substr(0, 8));
    if (lower.compare(0, 7, "http://") == 0) return 7;
    if (lower.compare(0, 8, "https://") == 0) return 8;
    return 0;
}

}  // namespace sq
