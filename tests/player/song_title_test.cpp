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
    {"NumberWithZeroAndNine", "109. Artist - Song - Winamp", "Artist - Song"},
    {"NameWithoutArtist", "3. Song - Winamp", "Song"},
    {"StoppedAfterSuffix", "7. Artist - Song - Winamp [Stopped]", "Artist - Song [Stopped]"},
    // No song loaded: the player's own name, which never carries its suffix.
    {"PlayerNameAndVersion", "Winamp 2.91", "No Song Playing"},
    {"PlayerNameAndBuild", "Winamp 5.9.2 Build 10042", "No Song Playing"},
    {"ExactlyWin", "Win", "No Song Playing"},
    {"SongBeginningWithWinIsASong", "Windy Hill - Morning - Winamp", "Windy Hill - Morning"},
    {"NumberedSongBeginningWithWin", "4. Winter - Song - Winamp", "Winter - Song"},
    {"LowerCaseWinIsASong", "winamp", "winamp"},
    {"ShorterThanWin", "Wi", "Wi"},
    // The playlist number is an option: only digits, a full stop and a blank at the start are it.
    {"NoNumberKeptWhole", "Artist - Song - Winamp", "Artist - Song"},
    {"NoNumberWithAFullStop", "Mr. Big - Song - Winamp", "Mr. Big - Song"},
    {"NumberBeforeAFullStopInTheName", "1. Mr. Big - Song - Winamp", "Mr. Big - Song"},
    {"FullStopInDisplayNameOnly", "Dr. Dre - Song", "Dr. Dre - Song"},
    {"DigitsWithoutFullStop", "1979 - Song - Winamp", "1979 - Song"},
    {"NumberWithoutBlank", "12.Song - Winamp", "12.Song"},
    {"LetterBeforeTheDigits", "A1. Song", "A1. Song"},
    {"FullStopFirst", ".  A", ".  A"},
    {"NumberAlone", "12.", "12."},
    {"NumberAndBlankOnly", "12. ", ""},
    {"NumberThenOneCharacter", "1. X", "X"},
    {"NumberThenBlank", "2.  A", " A"},
    // Every " - Winamp" goes, not only the trailing one; the match is exact.
    {"SuffixInsideDisplayName", "4. Band - Winamp - Song - Winamp", "Band - Song"},
    {"AdjacentSuffixes", "4. A - Winamp - Winamp", "A"},
    {"SuffixWithOtherCase", "4. A - WINAMP", "A - WINAMP"},
    {"SuffixWithoutBlank", "4. A -Winamp", "A -Winamp"},
    {"OnlySuffixAfterNumber", "4.  - Winamp", ""},
    // Empty text: no player window.
    {"NoPlayerWindow", "", ""},
    {"OneCharacter", "x", "x"},
    // The caption is wide text, held as UTF-8: every character passes through as it is.
    {"Latin", "2. Bj\xc3\xb6rk - J\xc3\xb3ga - Winamp", "Bj\xc3\xb6rk - J\xc3\xb3ga"},
    // The taskbar's scrolled copies: the title of the caption they rotate, never a piece of it.
    {"ScrolledFromAPosition", "Big - To Be With You - Winamp *** 7. Mr. Big - To Be With You - Winamp",
     "Mr. Big - To Be With You"},
    {"ScrolledBetweenStars", "** 7. Mr. Big - To Be With You - Winamp *** ", "Mr. Big - To Be With You"},
    {"ScrolledPlayersOwnName", "91 *** Winamp 2.91", "No Song Playing"},
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

// A scrolled copy of a caption over 125 characters is longer than the cut: read back first, the
// title stays the same at every step of the scroll, so its song can be counted down at all.
TEST(SongTitleCut, ALongScrolledCaptionIsReadBackBeforeItIsCut) {
    const std::string title = Repeat('t', 150);
    const std::string caption = "4. " + title + " - Winamp";
    for (std::size_t step = 0; step < 70; step += 7) {
        const std::string copy = caption.substr(step) + " *** " + caption;
        ASSERT_GT(copy.size(), 255u);
        EXPECT_EQ(sq::SongTitleFromWindowText(copy), title) << "step " << step;
    }
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

// 255 wide characters, whatever their length in UTF-8; a character beyond the basic plane takes
// two, and is not cut in half.
TEST(SongTitleCut, TheCutCountsWideCharacters) {
    std::string cyrillic;
    for (int i = 0; i < 300; ++i) cyrillic += "\xd0\x96";  // Ж
    EXPECT_EQ(sq::SongTitleFromWindowText(cyrillic).size(), 255u * 2);
    std::string kanji;
    for (int i = 0; i < 300; ++i) kanji += "\xe6\x97\xa5";  // 日
    EXPECT_EQ(sq::SongTitleFromWindowText(kanji).size(), 255u * 3);
    EXPECT_EQ(sq::SongTitleFromPlayingTitle(kanji).size(), 255u * 3) << "the player's own title is cut alike";
    const std::string clef = "\xf0\x9d\x84\x9e";  // U+1D11E, two wide characters
    const std::string text = Repeat('a', 254) + clef;
    EXPECT_EQ(sq::SongTitleFromWindowText(text), Repeat('a', 254));
    EXPECT_EQ(sq::SongTitleFromWindowText(Repeat('a', 253) + clef), Repeat('a', 253) + clef);
}

TEST(SongTitleCut, TextEndsAtItsFirstZeroByte) {
    const std::string text = std::string("5. Artist - Song - Winamp") + '\0' + "junk - Winamp";
    EXPECT_EQ(sq::SongTitleFromWindowText(text), "Artist - Song");
}

}  // namespace
