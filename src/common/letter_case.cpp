#include "common/letter_case.h"

namespace sq {

void LowerAsciiLetters(char* text, std::size_t size) {
    for (char* c = text; c != text + size; ++c) {
        if (*c >= 'A' && *c <= 'Z') *c = static_cast<char>(*c - 'A' + 'a');
    }
}

std::string LowerCase(std::string text, LowerLettersFn lower_letters) {
    if (!text.empty()) lower_letters(text.data(), text.size());
    return text;
}

}  // namespace sq
