#include "common/http_scheme.h"

#include <gtest/gtest.h>

namespace {

TEST(HttpScheme, OnlyTheAsciiPrefixDecidesInAnyCase) {
    const std::pair<const char*, std::size_t> rows[] = {
        {"http://radio.example/", 7}, {"HTTPS://x", 8},          {"hTtP://", 7},
        {"https:/x", 0},              {"ftp://x", 0},            {"C:\\Music\\http://a.mp3", 0},
        {"", 0},                      {"http:", 0},              {" http://x", 0},
        {"http://\xE6\x97\xA5/", 7},  // UTF-8 after the scheme
        {"\xC8TTP://x", 0},           // a code page's accented letter is not an H
    };
    for (const auto& [text, length] : rows) EXPECT_EQ(sq::HttpSchemeLength(text), length) << text;
}

}  // namespace
