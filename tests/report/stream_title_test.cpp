#include "report/stream_title.h"

#include <gtest/gtest.h>

namespace {

TEST(StreamTitle, StatusTitlesAndAddresses) {
    const std::pair<const char*, bool> rows[] = {
        {"[Connecting] http://radio.example/live", true},
        {"[Buffer: 37%] Band - Song (Radio X)", true},
        {"[Reading ID3] Band - Song", true},
        {"[Stream temporarily interrupted] Band - Song", true},
        {"http://radio.example/live", true},
        {"Connecting...", true},
        {"Prebuffering : 50%", true},
        {"HTTPS://radio.example/live", true},
        {"Band - Song (Radio X)", false},
        {"[Live", false},
        {"Song [Paused]", false},
        {"httpd - Song", false},
        {"", false},
    };
    for (const auto& [title, status] : rows) EXPECT_EQ(sq::IsStreamStatusTitle(title), status) << title;
}

TEST(StreamTitle, SplitAtTheFirstSeparator) {
    const struct {
        const char* stream_title;
        const char* artist;
        const char* track;
    } rows[] = {
        {"Band - Song", "Band", "Song"},
        {"Band - Song - Live Edit", "Band", "Song - Live Edit"},
        {"Station Jingle", "", "Station Jingle"},
        {"Band -Song", "", "Band -Song"},
        {"", "", ""},
    };
    for (const auto& row : rows) {
        const sq::ArtistAndTrack split = sq::SplitStreamTitle(row.stream_title);
        EXPECT_EQ(split.artist, row.artist) << row.stream_title;
        EXPECT_EQ(split.track, row.track) << row.stream_title;
    }
}

}  // namespace
