#include "report/tag_text.h"

#include "common/code_page.h"

namespace sq {
namespace {

std::u16string DecodeUtf16(const std::string& bytes, bool big_endian) {
    std::u16string units;
    units.reserve(bytes.size() / 2);
    // The mark takes the first two bytes; an odd byte at the end belongs to no character.
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        units.push_back(static_cast<char16_t>(big_endian ? (first << 8) | second : (second << 8) | first));
    }
    return units;
}

}  // namespace

std::string TagTextForService(const std::string& tag_text, const CodePage& code_page) {
    std::string text = tag_text;
    if (text.size() >= 2) {
        const auto b0 = static_cast<unsigned char>(text[0]);
        const auto b1 = static_cast<unsigned char>(text[1]);
        const bool little = b0 == 0xFF && b1 == 0xFE;
        const bool big = b0 == 0xFE && b1 == 0xFF;
        if (little || big) {
            std::u16string units = DecodeUtf16(text, big);
            units.resize(units.find(u'\0') == std::u16string::npos ? units.size() : units.find(u'\0'));
            return code_page.FromUtf16(units);
        }
    }
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    return text;
}

}  // namespace sq
