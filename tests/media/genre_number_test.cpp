#include "media/genre_number.h"

#include <gtest/gtest.h>

#include "media/cls_mp3_error.h"

namespace {

TEST(GenreNumberFromText, DecimalNumbersWithSignFractionAndSpaces) {
    const struct {
        const char* text;
        int number;
    } rows[] = {
        {"17", 17},     {"0", 0},         {"007", 7},      {"+5", 5},          {"-1", -1},
        {" 17 ", 17},   {"   3", 3},      {"17.", 17},     {".6", 1},          {"17.5", 18},
        {"16.5", 16},   {"16.50001", 17}, {"16.4999", 16}, {"-0.5", 0},        {"-1.5", -2},
        {"-2.5", -2},   {"32767", 32767}, {"-32768", -32768}, {"32767.4", 32767}, {"-32768.5", -32768},
        {"0000000000000000000017", 17},
    };
    for (const auto& row : rows) {
        const auto parsed = sq::GenreNumberFromText(row.text);
        ASSERT_TRUE(parsed.has_value()) << "'" << row.text << "'";
        EXPECT_EQ(*parsed, row.number) << "'" << row.text << "'";
    }
}

TEST(GenreNumberFromText, OtherTextIsNoNumber) {
    for (const char* text : {"", " ", "Rock", "(17)", "(17", "17a", "1 7", "--1", "+-1", "+", "-", ".", "1.2.3",
                             "1,5", "\t17", "17\n", "0x11", "1e2"}) {
        EXPECT_FALSE(sq::GenreNumberFromText(text).has_value()) << "'" << text << "'";
    }
    EXPECT_FALSE(sq::GenreNumberFromText(std::string("17\0", 3)).has_value());
}

TEST(GenreNumberFromText, OutsideTheSixteenBitRangeIsOverflow) {
    for (const char* text : {"32768", "-32769", "32767.5", "-32768.51", "99999999999999999999999", "40000"}) {
        try {
            sq::GenreNumberFromText(text);
            ADD_FAILURE() << "no overflow for '" << text << "'";
        } catch (const sq::ClsMP3Error& e) {
            EXPECT_EQ(e.Number, 6) << text;
            EXPECT_EQ(e.Description, "Overflow") << text;
        }
    }
}

}  // namespace
