#include "player/song_title.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct TitleCase {
    const char* name;
    std::string window_text;
    std::string expected;
};

std::string Repeat(char c, std::size_t n) { return std::string(n, c); }

class SongTitleRule : public testing::TestWithParam<TitleCase> {};

TEST_P(SongTitleRule, TurnsWindowTextIntoSongTitle) {
    const TitleCase& c = GetParam();
    EXPECT_EQ(sq::SongTitleFromWindowText(c.window_text), c.expected) << "window text: [" << c.window_text << "]";
}

const TitleCase kCases[] = {
    // The player's usual title forms.
    {"ArtistAndSong", "7. Artist - Song - Winamp", "Artist - Song"},
    {"StateAfterSuffix", "7. Artist - Song - Winamp [Paused]", "Artist - Song [Paused]"},
    {"TwoDigitNumber", "12. Artist - Song - Winamp", "Artist - Song"},
    {"NameWithoutArtist", "3. Song - Winamp", "Song"},
    {"StoppedAfterSuffix", "7. Artist - Song - Winamp [Stopped]", "Artist - Song [Stopped]"},
    // 5.x's scrolled title "<rest> *** <whole>" is taken like any other: what it gives depends on
    // how far it has scrolled.
    {"ScrolledOnce", ". Artist - Song - Winamp *** 7. Artist - Song - Winamp", "Artist - Song *** 7. Artist - Song"},
    {"ScrolledIntoTheName", "tist - Song - Winamp *** 7. Artist - Song - Winamp", "Artist - Song"},
    {"ScrolledToThePlayerName", "Winamp *** 7. Artist - Song - Winamp", "No Song Playing"},
    // No song loaded: the text starts with the player's name.
    {"PlayerNameAndVersion", "Winamp 2.91", "No Song Playing"},
    {"PlayerNameAndBuild", "Winamp 5.9.2 Build 10042", "No Song Playing"},
    {"ExactlyWin", "Win", "No Song Playing"},
    {"WinThenAnything", "Windows Media. x - Winamp", "No Song Playing"},
    {"LowerCaseWinIsASong", "winamp", "inamp"},
    {"LowerCaseWinWithVersion", "winamp 2.91", "1"},
    {"ShorterThanWin", "Wi", "i"},
    // Full stop rule.
    {"NoFullStopLosesFirstCharacter", "Artist - Song", "rtist - Song"},
    {"FirstFullStopCounts", "1. Mr. Big - Song - Winamp", "Mr. Big - Song"},
    {"FullStopInDisplayNameOnly", "Dr. Dre - Song", "Dre - Song"},
    {"FullStopAtEnd", "12.", ""},
    {"FullStopThenOneCharacter", "12. ", ""},
    {"FullStopThenTwoCharacters", "1. X", "X"},
    {"FullStopFirst", ".  A", " A"},
    // Every " - Winamp" goes, not only the trailing one; the match is exact.
    {"SuffixInsideDisplayName", "4. Band - Winamp - Song - Winamp", "Band - Song"},
    {"AdjacentSuffixes", "4. A - Winamp - Winamp", "A"},
    {"SuffixWithOtherCase", "4. A - WINAMP", "A - WINAMP"},
    {"SuffixWithoutBlank", "4. A -Winamp", "A -Winamp"},
    {"OnlySuffixAfterNumber", "4.  - Winamp", ""},
    // Empty text: no player window.
    {"NoPlayerWindow", "", ""},
    {"OneCharacter", "x", ""},
    // Eight-bit characters pass through as they are.
    {"AnsiBytes", "2. Bj\xf6rk - J\xf3ga - Winamp", "Bj\xf6rk - J\xf3ga"},
};

INSTANTIATE_TEST_SUITE_P(Table, SongTitleRule, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<TitleCase>& param_info) { return std::string(param_info.param.name); });

TEST(SongTitleCut, TextIsCutTo255CharactersBeforeTheRulesApply) {
    // 300 characters with the suffix at the very end: the suffix lies beyond the cut and stays
    // partly, since only the first 255 characters are considered.
    const std::string name = Repeat('a', 280);
    const std::string text = "1. " + name + " - Winamp" + Repeat('b', 8);
    ASSERT_EQ(text.size(), 300u);
    const std::string title = sq::SongTitleFromWindowText(text);
    EXPECT_EQ(title, Repeat('a', 252));
}

TEST(SongTitleCut, SuffixEndingExactlyAtCharacter255IsRemoved) {
    const std::string name = Repeat('n', 255 - 3 - 9);
    const std::string text = "1. " + name + " - Winamp" + "tail beyond the buffer";
    EXPECT_EQ(sq::SongTitleFromWindowText(text), name);
}

TEST(SongTitleCut, SuffixCrossingCharacter255StaysPartly) {
    const std::string name = Repeat('n', 255 - 3 - 5);
    const std::string text = "1. " + name + " - Winamp";
    EXPECT_EQ(sq::SongTitleFromWindowText(text), name + " - Wi");
}

TEST(SongTitleCut, TextEndsAtItsFirstZeroByte) {
    const std::string text = std::string("5. Artist - Song - Winamp") + '\0' + "junk - Winamp";
    EXPECT_EQ(sq::SongTitleFromWindowText(text), "Artist - Song");
}

}  // namespace
