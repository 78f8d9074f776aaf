// What WinAmpMod asks the player, in which order, and what it makes of the answers, against a
// fake player whose requests a test sets one by one.
#include "player/winamp_mod.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/fake_code_page.h"
#include "player/fake_player_port.h"

namespace {

using sqtest::FakePlayerPort;
namespace winamp = sq::winamp;
using Log = std::vector<std::string>;
const sqtest::FakeCodePage kCodePage;

// The file playing now, the entry at the position, or the playlist files: each only when the one
// before says nothing, and the playlist written only when the player names nothing itself.
TEST(GetPlayingFile, AsksThePlayerBeforeItsFilesAndWritesNothingWhileItAnswers) {
    const std::string lodz = "C:\\Music\\\xc5\x81\xc3\xb3" "d\xc5\xba.mp3";  // Łódź.mp3
    struct OrderCase {
        const char* name;
        long version;
        std::map<std::pair<long, long>, std::string> texts;
        std::map<long, long> numbers;  // besides the version
        sq::PlayingFile expected;
        Log calls;  // after "find window"
    };
    const OrderCase cases[] = {
        // The playing entry was deleted: the position now names its neighbour.
        {"playing file (5.x)", 0x5092,
         {{{winamp::kWidePlayingFile, 0}, lodz}, {{winamp::kWideEntryPath, 3}, "C:\\Music\\neighbour.mp3"}},
         {{winamp::kPlaylistPosition, 3}},
         {"C:\\Music\\L\xf3" "d?.mp3", lodz},
         {"wide 3031@0"}},
        {"entry at the position, wide", 0x5092, {{{winamp::kWideEntryPath, 4}, lodz}}, {{winamp::kPlaylistPosition, 4}},
         {"C:\\Music\\L\xf3" "d?.mp3", lodz},
         {"wide 3031@0", "ask 0", "ask 125", "wide 214@4"}},
        {"entry at the position, code page (2.x)", 0x2091, {{{winamp::kEntryPath, 4}, "C:\\Music\\b.mp3"}},
         {{winamp::kPlaylistPosition, 4}},
         {"C:\\Music\\b.mp3", ""},
         {"wide 3031@0", "ask 0", "ask 125", "wide 214@4", "text 211@4"}},
        {"no entry answers: the playlist files", 0x5092, {}, {{winamp::kPlaylistPosition, 4}, {winamp::kWritePlaylist, 4}},
         {"C:\\Music\\a.mp3", ""},
         {"wide 3031@0", "ask 0", "ask 125", "wide 214@4", "text 211@4", "ask 120", "wide 338@0", "text 337@0",
          "play command", "read C:\\Program Files\\Winamp\\WINAMP.m3u@4"}},
        // Before 2.05 the position request answers 1, as every request a version lacks.
        {"version without the position request", 0x2004, {{{winamp::kEntryPath, 2}, "C:\\Music\\b.mp3"}},
         {{winamp::kWritePlaylist, 2}},
         {"C:\\Music\\b.mp3", ""},
         {"wide 3031@0", "ask 0", "ask 120", "wide 214@2", "text 211@2"}},
        {"the first version with the position request", 0x2005, {{{winamp::kEntryPath, 4}, "C:\\Music\\b.mp3"}},
         {{winamp::kPlaylistPosition, 4}},
         {"C:\\Music\\b.mp3", ""},
         {"wide 3031@0", "ask 0", "ask 125", "wide 214@4", "text 211@4"}},
        {"before it, the first entry", 0x2004, {{{winamp::kEntryPath, 0}, "C:\\Music\\first.mp3"}},
         {{winamp::kWritePlaylist, 0}},
         {"C:\\Music\\first.mp3", ""},
         {"wide 3031@0", "ask 0", "ask 120", "wide 214@0", "text 211@0"}},
        {"empty playlist", 0x5092, {}, {{winamp::kPlaylistPosition, 0}, {winamp::kWritePlaylist, -1}},
         {"", ""},
         {"wide 3031@0", "ask 0", "ask 125", "wide 214@0", "text 211@0", "ask 120"}},
    };
    for (const OrderCase& c : cases) {
        FakePlayerPort player;
        player.numbers = c.numbers;
        player.numbers[winamp::kVersion] = c.version;
        player.texts = c.texts;
        player.playlist_lines["C:\\Program Files\\Winamp\\WINAMP.m3u@4"] = "C:\\Music\\a.mp3";
        sq::WinAmpMod mod(player, kCodePage);
        ASSERT_TRUE(mod.FindWinAmp());
        const sq::PlayingFile found = mod.GetPlayingFile();
        EXPECT_EQ(found.path, c.expected.path) << c.name;
        EXPECT_EQ(found.utf8_path, c.expected.utf8_path) << c.name;
        EXPECT_EQ(Log(player.log.begin() + 1, player.log.end()), c.calls) << c.name;
    }
}

TEST(GetPlayingFile, NoWindowGivesNoFile) {
    FakePlayerPort player;
    player.has_window = false;
    player.playlist_lines["C:\\Program Files\\Winamp\\WINAMP.m3u@1"] = "C:\\Music\\a.mp3";
    sq::WinAmpMod mod(player, kCodePage);
    EXPECT_FALSE(mod.FindWinAmp());
    EXPECT_TRUE(mod.GetPlayingFile().empty());
}

TEST(GetPlayerTags, BothFieldsFromOneRequestOrNothing) {
    struct TagsCase {
        const char* name;
        std::map<std::string, std::string> metadata;
        sq::ArtistAndTrack expected;
    };
    const std::string wide = "wide|C:\\Music\\a.flac|";
    const std::string narrow = "code page|C:\\Music\\a.flac|";
    const TagsCase cases[] = {
        {"wide", {{wide + "artist", "Band"}, {wide + "title", "Song"}}, {"Band", "Song"}},
        {"code page (2.9x)", {{narrow + "artist", "Bj\xf6rk"}, {narrow + "title", "Song"}}, {"Bj\xc3\xb6rk", "Song"}},
        {"wide title alone: the code page's pair",
         {{wide + "title", "Song"}, {narrow + "artist", "Band"}, {narrow + "title", "Song"}},
         {"Band", "Song"}},
        {"both requests answer: the wide pair",
         {{wide + "artist", "Band"}, {wide + "title", "Song"}, {narrow + "artist", "B?nd"}, {narrow + "title", "S?ng"}},
         {"Band", "Song"}},
        {"one field known nowhere", {{wide + "title", "Song"}, {narrow + "title", "Song"}}, {"", ""}},
    };
    for (const TagsCase& c : cases) {
        FakePlayerPort player;
        player.metadata = c.metadata;
        sq::WinAmpMod mod(player, kCodePage);
        const sq::ArtistAndTrack tags = mod.GetPlayerTags({"C:\\Music\\a.flac", ""});
        EXPECT_EQ(tags.artist, c.expected.artist) << c.name;
        EXPECT_EQ(tags.track, c.expected.track) << c.name;
    }
    FakePlayerPort player;
    sq::WinAmpMod mod(player, kCodePage);
    mod.GetPlayerTags({});
    EXPECT_TRUE(player.log.empty()) << "no file, nothing to ask";

    // A file the player named only in the code page is asked in wide text by the same name.
    player.metadata = {{"wide|C:\\Music\\Bj\xc3\xb6rk.flac|artist", "Bj\xc3\xb6rk"},
                       {"wide|C:\\Music\\Bj\xc3\xb6rk.flac|title", "J\xc3\xb3ga"}};
    const sq::ArtistAndTrack tags = mod.GetPlayerTags({"C:\\Music\\Bj\xf6rk.flac", ""});
    EXPECT_EQ(tags.artist + "|" + tags.track, "Bj\xc3\xb6rk|J\xc3\xb3ga");
}

}  // namespace
