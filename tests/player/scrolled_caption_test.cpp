#include "player/scrolled_caption.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Every copy the player shows of `caption` while its taskbar title scrolls, in order: from each
// character on, " *** " and the whole; then the whole between stars in three widths.
std::vector<std::string> ScrolledCopies(const std::string& caption) {
    std::vector<std::string> copies;
    for (std::size_t at = 0; at < caption.size(); ++at) {
        if ((static_cast<unsigned char>(caption[at]) & 0xC0) == 0x80) continue;  // inside a character
        copies.push_back(caption.substr(at) + " *** " + caption);
    }
    for (const char* lead : {" *** ", "*** ", "** "}) copies.push_back(lead + caption + " *** ");
    return copies;
}

TEST(UnscrolledCaption, EveryScrolledCopyReadsBackToItsCaption) {
    const char* const captions[] = {
        "7. Mr. Big - To Be With You - Winamp",
        "3. Band *** Live - Song - Winamp [Paused]",  // a join of its own
        "12. a *** a - Winamp",
        "2. \xd0\x9a\xd0\xb8\xd0\xbd\xd0\xbe - \xf0\x9d\x84\x9e - Winamp",  // Кино, a clef beyond the basic plane
        "Winamp 2.91",  // the player's own name scrolls while it is stopped
        "x",
    };
    for (const std::string caption : captions) {
        EXPECT_EQ(sq::UnscrolledCaption(caption), caption) << "the caption itself";
        for (const std::string& copy : ScrolledCopies(caption)) EXPECT_EQ(sq::UnscrolledCaption(copy), caption) << copy;
    }
}

TEST(UnscrolledCaption, TextThatOnlyHoldsAJoinStaysAsItIs) {
    for (const char* text : {"3. Band *** Live - Winamp", " *** ", "a *** ", " *** a", "*** a", "ab *** b *** ",
                             "Song *** 5. Song - Winamp", " ***  *** ", ""}) {
        EXPECT_EQ(sq::UnscrolledCaption(text), text);
    }
}

}  // namespace
