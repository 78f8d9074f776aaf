#include "common/fake_code_page.h"

namespace sqtest {
namespace {

char Latin1(char32_t character) {
    if (character < 0x100) return static_cast<char>(character);
    return character == 0x141 ? 'L' : '?';  // Ł
}

}  // namespace

std::string FakeCodePage::FromUtf8(const std::string& text) const {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            bytes += text[i];
            continue;
        }
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        char32_t character = lead & (0x7F >> length);
        for (std::size_t k = 1; k < length && i + 1 < text.size(); ++k) {
            character = (character << 6) | (static_cast<unsigned char>(text[++i]) & 0x3F);
        }
        bytes += Latin1(character);
    }
    return bytes;
}

std::string FakeCodePage::FromUtf16(const std::u16string& text) const {
    std::string bytes;
    for (const char16_t unit : text) {
        if (unit < 0xDC00 || unit > 0xDFFF) bytes += Latin1(unit);  // a pair gives one "?"
    }
    return bytes;
}

std::string FakeCodePage::ToUtf8(const std::string& text) const {
    std::string utf8;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

std::string FakeCodePage::LowerCase(const std::string& text) const {
    std::string lower = text;
    for (char& c : lower) {
        const auto byte = static_cast<unsigned char>(c);
        const bool upper = (byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7);
        if (upper) c = static_cast<char>(byte + 0x20);
    }
    return lower;
}

}  // namespace sqtest
