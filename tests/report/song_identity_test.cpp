// Which artist and track a report carries, with the file's tags and the player's answers replaced
// by fakes, shown as the request's query carries them.
#include "report/song_identity.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "common/fake_code_page.h"
#include "player/fake_player_port.h"
#include "submit/request.h"

namespace sq {
namespace {

using Journal = std::vector<std::string>;

struct FakeFileTags : FileTags {
    explicit FakeFileTags(Journal& j) : journal(j) {}
    ArtistAndTrack Read(const PlayingFile& file) override {
        journal.push_back("read tags of " + file.path);
        if (fail || file.path.empty()) throw std::runtime_error("unreadable");
        return tags;
    }
    Journal& journal;
    ArtistAndTrack tags{"Tag Artist", "Tag Song"};
    bool fail = false;
};

struct CountedFailures : FailureTrace {
    void Trace(const wchar_t*) noexcept override { ++count; }
    int count = 0;
};

class SongIdentityTest : public ::testing::Test {
protected:
    // The query of the request that would carry `song`.
    std::string Query(const PlayedSong& played) {
        const ArtistAndTrack names = rule.Identify(played);
        const std::string address = protocol::BuildAddress("anna", "pw", names.artist, names.track);
        return address.substr(address.find('?'));
    }
    std::string Query() { return Query(song); }

    // What the tick that ended the countdown read.
    PlayedSong song{"Player Artist - Player Title", {"C:\\Music\\song.mp3", ""}, {}};

    Journal journal;
    FakeFileTags tags{journal};
    sqtest::FakePlayerPort player;
    sqtest::FakeCodePage code_page;
    CountedFailures failures;
    WinAmpMod mod{player, code_page};
    SongIdentityRule rule{tags, mod, code_page, failures};
};

// Either half of the tags missing, or a file that cannot be read: the player's title, "No_Artist".
TEST_F(SongIdentityTest, MissingTagsFallBackToThePlayersTitle) {
    const ArtistAndTrack halves[] = {{"", "Lonely Title"}, {"Lonely Artist", ""}, {"", ""}};
    for (const ArtistAndTrack& half : halves) {
        tags.tags = half;
        EXPECT_EQ(Query(), "?c=anna&p=pw&art=No_Artist&trk=Player%20Artist%20-%20Player%20Title");
    }
    tags.fail = true;
    song.title.clear();
    EXPECT_EQ(Query(), "?c=anna&p=pw&art=No_Artist&trk=") << "an empty title is sent as it is";
}

// Taggers write UTF-16 with a byte-order mark and may end a text with a NUL: the service gets the
// same 8-bit text a Latin-1 tag gives it, and a text that is empty after this falls back.
TEST_F(SongIdentityTest, TagTextIsDecodedAndCutAtItsFirstNul) {
    using namespace std::string_literals;
    const std::pair<ArtistAndTrack, std::string> rows[] = {
        {{"\xFE\xFF\0C\0\xE9\x20\xAC"s, "\xFF\xFES\0o\0n\0g\0\0\0j\0"s}, "art=C\xE9?&trk=Song"},
        {{"Band", "Song\0junk"s}, "art=Band&trk=Song"},
        {{"Band", "\xFF\xFE\0\0"s}, "art=No_Artist&trk=Player%20Artist%20-%20Player%20Title"},
    };
    for (const auto& [raw, query] : rows) {
        tags.tags = raw;
        EXPECT_EQ(Query().substr(Query().find("&art=") + 1), query);
    }
}

// A file whose tags clsMP3 cannot read (FLAC, M4A, ID3v2.4, a CD track) goes out with the artist
// and title the player knows of it; only a pair counts. The title falls back in wide form, turned
// into the code page only for the request, so titles outside it reach the service as "?".
TEST_F(SongIdentityTest, UntaggedFileGoesOutWithWhatThePlayerKnowsElseItsTitle) {
    tags.tags = {"", ""};
    song.file = {"C:\\Music\\a.flac", ""};
    player.metadata = {{"wide|C:\\Music\\a.flac|artist", "Bj\xc3\xb6rk"}, {"wide|C:\\Music\\a.flac|title", "J\xc3\xb3ga"}};
    EXPECT_EQ(Query(), "?c=anna&p=pw&art=Bj\xf6rk&trk=J\xf3ga");

    player.metadata.clear();
    song.title = "\xd0\x9a\xd0\xb8\xd0\xbd\xd0\xbe - \xd0\x9f\xd0\xb5\xd1\x87\xd0\xb0\xd0\xbb\xd1\x8c";  // Кино - Печаль
    EXPECT_EQ(Query(), "?c=anna&p=pw&art=No_Artist&trk=????%20-%20??????");
}

TEST_F(SongIdentityTest, StreamGoesOutWithItsStreamTitleAndIsNeverReadAsAFile) {
    const std::pair<ArtistAndTrack, std::string> rows[] = {
        {{"Band", "Song"}, "art=Band&trk=Song"},
        {{"", "Station Jingle"}, "art=No_Artist&trk=Station%20Jingle"},
        {{"", ""}, "art=No_Artist&trk=Band%20-%20Song%20(Radio%20X)"},
    };
    for (const auto& [stream, query] : rows) {
        journal.clear();
        EXPECT_EQ(Query({"Band - Song (Radio X)", {"http://radio.example/live", ""}, stream}), "?c=anna&p=pw&" + query)
            << stream.track;
        for (const std::string& line : journal) EXPECT_EQ(line.find("tags of"), std::string::npos) << line;
    }
}

}  // namespace
}  // namespace sq
