#include "player/text_answer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A player without the request answers 1; any address in the lowest 64 kB is no text.
TEST(TextAnswer, OnlyAnAddressAbove64kBIsAText) {
    for (const std::uintptr_t number : {0u, 1u, 3u, 0x1000u, 0xFFFFu}) EXPECT_FALSE(sq::IsTextAnswer(number)) << number;
    EXPECT_TRUE(sq::IsTextAnswer(0x10000u));
}

TEST(TextAnswer, ReadNoFurtherThanThePlayersBuffer) {
    const std::size_t buffer = sq::winamp::kTextBufferCharacters;
    std::wstring text(buffer + 1, L'x');
    text[buffer - 1] = L'\0';
    EXPECT_EQ(sq::TextLengthWithinBuffer(text.c_str()), buffer - 1) << "the longest text the buffer holds";
    text[buffer - 1] = L'x';
    EXPECT_EQ(sq::TextLengthWithinBuffer(text.c_str()), std::nullopt) << "no terminating zero within the buffer";
    EXPECT_EQ(sq::TextLengthWithinBuffer(std::wstring(buffer, L'x').c_str()), std::nullopt)
        << "the buffer full to its last character, the terminator just beyond it";
    EXPECT_EQ(sq::TextLengthWithinBuffer(""), 0u);
}

}  // namespace
