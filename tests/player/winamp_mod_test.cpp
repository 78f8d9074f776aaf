// What WinAmpMod asks the player, in which order, and what it makes of the answers, against a
// fake player whose requests a test sets one by one.
#include "player/winamp_mod.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/fake_code_page.h"
#include "player/fake_player_port.h"

namespace {

using sqtest::FakePlayerPort;
namespace winamp = sq::winamp;
using Log = std::vector<std::string>;
const sqtest::FakeCodePage kCodePage;

bool Asked(const FakePlayerPort& player, const std::string& call) {
    return std::find(player.log.begin(), player.log.end(), call) != player.log.end();
}

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

TEST(Look, PlayStateTitleAndWhatCounts) {
    const std::string live = "http://radio.example/live";
    const std::string radio = "code page|" + live + "|streamtitle";
    struct LookCase {
        const char* name;
        bool window;
        long state;
        std::string caption;
        std::string playing;                                 // what 3031 answers
        std::map<std::pair<long, long>, std::string> texts;  // besides 3031: 3034, 625, entries
        std::map<std::string, std::string> metadata;
        long version;
        sq::PlayState expected_state;
        std::string expected_title;
        sq::Hold hold;
        long video = 0;  // what 501 answers
    };
    const std::string kyno = "\xd0\x9a\xd0\xb8\xd0\xbd\xd0\xbe";  // Кино
    const auto kPlaying = sq::PlayState::kPlaying;
    const auto kNone = sq::Hold::kNone;
    const LookCase cases[] = {
        {"playing", true, 1, "7. Artist - Song - Winamp", "C:\\a.mp3", {}, {}, 0x5092, kPlaying, "Artist - Song", kNone},
        {"paused", true, 3, "7. Artist - Song - Winamp [Paused]", "C:\\a.mp3", {}, {}, 0x5092, sq::PlayState::kPaused,
         "Artist - Song [Paused]", kNone},
        {"stopped", true, 0, "Winamp 5.9.2 Build 10042", "", {}, {}, 0x5092, sq::PlayState::kStopped, "No Song Playing",
         kNone},
        {"no player", false, 1, "7. Artist - Song - Winamp", "", {}, {}, 0x5092, sq::PlayState::kNoPlayer, "", kNone},
        {"title outside the code page, kept whole", true, 1, "1. " + kyno + " - Winamp", "C:\\a.mp3", {}, {}, 0x5092,
         kPlaying, kyno, kNone},
        {"the player's own title before its scrolled caption", true, 1, "ng - Winamp *** 7. Band - Song - Winamp",
         "C:\\a.mp3", {{{winamp::kWidePlayingTitle, 0}, "Band - Song"}}, {}, 0x5092, kPlaying, "Band - Song", kNone},
        {"a scrolled caption read back (no 3034)", true, 1, "** 7. Band - Song - Winamp *** ", "C:\\a.mp3", {}, {},
         0x2091, kPlaying, "Band - Song", kNone},
        {"written to disk", true, 1, "7. Band - Song - Winamp", "C:\\a.mp3", {{{winamp::kOutputPlugin, 0}, "out_disk.dll"}},
         {}, 0x5092, kPlaying, "Band - Song", sq::Hold::kNotAtClockSpeed},
        {"played aloud", true, 1, "7. Band - Song - Winamp", "C:\\a.mp3", {{{winamp::kOutputPlugin, 0}, "out_ds.dll"}}, {},
         0x5092, kPlaying, "Band - Song", kNone},
        {"the Disk Writer named in capitals", true, 1, "7. Band - Song - Winamp", "C:\\a.mp3",
         {{{winamp::kOutputPlugin, 0}, "OUT_DISK.DLL"}}, {}, 0x5092, kPlaying, "Band - Song", sq::Hold::kNotAtClockSpeed},
        {"the player's own title is never its name", true, 1, "Winamp 5.9.2 Build 10042", "C:\\a.mp3",
         {{{winamp::kWidePlayingTitle, 0}, "Wings - Jet"}}, {}, 0x5092, kPlaying, "Wings - Jet", kNone},
        {"a film", true, 1, "4. Holiday Film - Winamp", "C:\\film.avi", {}, {}, 0x5092, kPlaying, "Holiday Film",
         sq::Hold::kVideo, winamp::kVideoOpen},
        {"501 unanswered says nothing", true, 1, "4. Band - Song - Winamp", "C:\\a.mp3", {}, {}, 0x2091, kPlaying,
         "Band - Song", kNone, 1},
        {"stream connecting", true, 1, "2. [Connecting] " + live + " - Winamp", live, {}, {}, 0x5092, kPlaying,
         "[Connecting] " + live, sq::Hold::kStreamStatus},
        {"stream playing a song", true, 1, "2. Band - Song (Radio X) - Winamp", live, {}, {{radio, "Band - Song"}}, 0x5092,
         kPlaying, "Band - Song (Radio X)", kNone},
        {"station playing no song", true, 1, "2. (Radio X) - Winamp", live, {}, {}, 0x5092, kPlaying, "(Radio X)",
         sq::Hold::kNoStreamTitle},
        {"station on a player that knows no stream title", true, 1, "2. Radio X - Winamp", "",
         {{{winamp::kEntryPath, 1}, live}}, {}, 0x2081, kPlaying, "Radio X", kNone},
        {"station on the first player that knows stream titles", true, 1, "2. Radio X - Winamp", "",
         {{{winamp::kEntryPath, 1}, live}}, {}, 0x2090, kPlaying, "Radio X", sq::Hold::kNoStreamTitle},
        {"a file whose name begins with a bracket", true, 1, "3. [Live] Band - Song - Winamp", "C:\\Live\\a.mp3", {}, {},
         0x5092, kPlaying, "[Live] Band - Song", kNone},
        {"a status's shape, no entry named", true, 1, "3. [Live] Band - Song - Winamp", "", {}, {}, 0x5092, kPlaying,
         "[Live] Band - Song", kNone},
    };
    for (const LookCase& c : cases) {
        FakePlayerPort player;
        player.has_window = c.window;
        player.numbers[winamp::kPlayState] = c.state;
        player.numbers[winamp::kVersion] = c.version;
        player.numbers[winamp::kIsPlayingVideo] = c.video;
        player.caption = c.caption;
        player.texts = c.texts;
        player.metadata = c.metadata;
        if (!c.playing.empty()) player.texts[{winamp::kWidePlayingFile, 0}] = c.playing;
        sq::WinAmpMod mod(player, kCodePage);
        const sq::PlayerReading reading = mod.Look(0, "");
        EXPECT_EQ(reading.state, c.expected_state) << c.name;
        EXPECT_EQ(reading.title, c.expected_title) << c.name;
        EXPECT_EQ(reading.hold, c.hold) << c.name;
        EXPECT_EQ(reading.Counts(), c.state == 1 && c.window && c.hold == kNone) << c.name;
        EXPECT_FALSE(Asked(player, "ask 120")) << c.name << ": a tick never has the playlist written";
    }
}

// A station's name, its song, then "(Radio X)" between songs: only the song counts. Whether a
// stream plays is looked up on the first tick of each title, and again after a tick not played.
TEST(Look, AStationThatPlaysNoSongHoldsEachTitleOnceLookedUp) {
    const std::string live = "http://radio.example/live";
    const struct {
        const char* title;
        const char* stream_title;
        long state;
        bool counts;
        int looks;  // 3031s so far
    } ticks[] = {
        {"Radio X", "", 1, false, 1},
        {"Radio X", "", 1, false, 1},
        {"Band - Song (Radio X)", "Band - Song", 1, true, 2},
        {"Band - Song (Radio X)", "Band - Song", 3, false, 2},
        {"Band - Song (Radio X)", "Band - Song", 1, true, 3},
        {"(Radio X)", "", 1, false, 4},
        {"(Radio X)", "", 1, false, 4},
    };
    FakePlayerPort player;
    player.texts[{winamp::kWidePlayingFile, 0}] = live;
    sq::WinAmpMod mod(player, kCodePage);
    std::uint32_t now = 0;
    for (const auto& tick : ticks) {
        player.numbers[winamp::kPlayState] = tick.state;
        player.texts[{winamp::kWidePlayingTitle, 0}] = tick.title;
        player.metadata["wide|" + live + "|streamtitle"] = tick.stream_title;
        EXPECT_EQ(mod.Look(now += 1000, "").Counts(), tick.counts) << tick.title;
        EXPECT_EQ(std::count(player.log.begin(), player.log.end(), "wide 3031@0"), tick.looks) << tick.title;
    }
}

// Most ticks show the title reported last, which only refills the countdown: they ask the play
// state and the title, as before there were holds, and nothing of the output or the stream.
TEST(Look, TheTitleReportedLastCostsThePlayStateAndTheTitleAlone) {
    FakePlayerPort player;
    player.texts[{winamp::kWidePlayingTitle, 0}] = "Band - Song";
    player.texts[{winamp::kOutputPlugin, 0}] = "out_disk.dll";
    sq::WinAmpMod mod(player, kCodePage);
    EXPECT_TRUE(mod.Look(0, "Band - Song").Counts());
    EXPECT_EQ(player.log, (Log{"find window", "ask 104", "wide 3034@0"}));
    EXPECT_FALSE(mod.Look(1000, "Other - Song").Counts()) << "another title is asked its output";
}

// Tick by tick, which play each tick is of: a skipped song, a tag fixed while the song plays
// (the player reopens the file and answers position 0 for a moment), a pause with a seek in it.
TEST(Look, EachSongStartedIsAPlayOfItsOwnAndARetitledFileIsNot) {
    enum Seen { kSame, kNew, kHeld };
    const struct {
        const char* what;
        long state;
        const char* title;
        const char* file;
        long position_ms;
        Seen seen;
    } ticks[] = {
        {"a song", 1, "A - One", "C:\\one.mp3", 19000, kNew},
        {"it plays on", 1, "A - One", "C:\\one.mp3", 20000, kSame},
        {"Next", 1, "B - Two", "C:\\two.mp3", 300, kNew},
        {"its tag fixed: the file reopened", 1, "B - Two (Live)", "C:\\two.mp3", 0, kHeld},
        {"fixed in its first seconds: a new start", 1, "B - Two (Live)", "C:\\two.mp3", 2300, kNew},
        {"paused", 3, "B - Two (Live)", "C:\\two.mp3", 3300, kHeld},
        {"sought forward while paused", 3, "B - Two (Live)", "C:\\two.mp3", 90000, kHeld},
        {"resumed: the seek costs nothing", 1, "B - Two (Live)", "C:\\two.mp3", 90000, kSame},
        {"its tag fixed again", 1, "B - Two", "C:\\two.mp3", 0, kHeld},
        {"the old position running on: a seek", 1, "B - Two", "C:\\two.mp3", 92000, kHeld},
        {"at the clock's pace again", 1, "B - Two", "C:\\two.mp3", 93000, kSame},
        {"played again from its start", 1, "B - Two", "C:\\two.mp3", 400, kNew},
    };
    FakePlayerPort player;
    sq::WinAmpMod mod(player, kCodePage);
    std::uint32_t now = 0;
    sq::PlayTracker::Play before = 0;
    for (const auto& tick : ticks) {
        player.numbers[winamp::kPlayState] = tick.state;
        player.numbers[winamp::kPlayPosition] = tick.position_ms;
        player.texts[{winamp::kWidePlayingTitle, 0}] = tick.title;
        player.texts[{winamp::kWidePlayingFile, 0}] = tick.file;
        const sq::PlayerReading reading = mod.Look(now += 1000, "");
        const Seen seen = !reading.Counts() ? kHeld : reading.play == before ? kSame : kNew;
        EXPECT_EQ(seen, tick.seen) << tick.what << " (" << tick.title << ")";
        if (reading.Counts()) before = reading.play;
    }
}

TEST(SongToReport, TheReadingsTitleTheFileAndAStreamsTitle) {
    FakePlayerPort player;
    player.texts[{winamp::kWidePlayingFile, 0}] = "http://radio.example/live";
    player.metadata["code page|http://radio.example/live|streamtitle"] = "Band - Song";
    sq::WinAmpMod mod(player, kCodePage);
    sq::PlayerReading reading;
    reading.title = "Band - Song (Radio X)";
    const sq::PlayedSong stream = mod.SongToReport(reading);
    EXPECT_EQ(stream.title, "Band - Song (Radio X)");
    EXPECT_EQ(stream.file.path, "http://radio.example/live");
    EXPECT_EQ(stream.stream.artist, "Band") << "the wide request first, then the code page's";
    EXPECT_EQ(stream.stream.track, "Song");

    player.texts[{winamp::kWidePlayingFile, 0}] = "C:\\Music\\a.mp3";
    player.log.clear();
    const sq::PlayedSong song = mod.SongToReport(reading);
    EXPECT_EQ(song.file.path, "C:\\Music\\a.mp3");
    EXPECT_EQ(song.stream.artist + song.stream.track, "");
    EXPECT_EQ(player.log, Log{"wide 3031@0"}) << "a file's metadata waits until its tags are read";
}

TEST(GetPlayerTags, BothFieldsFromOneRequestOrNothing) {
    struct TagsCase {
        const char* name;
        std::map<std::string, std::string> metadata;
        sq::PlayerTags expected;
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
        const sq::PlayerTags tags = mod.GetPlayerTags({"C:\\Music\\a.flac", ""});
        EXPECT_EQ(tags.artist, c.expected.artist) << c.name;
        EXPECT_EQ(tags.title, c.expected.title) << c.name;
    }
    FakePlayerPort player;
    sq::WinAmpMod mod(player, kCodePage);
    mod.GetPlayerTags({});
    EXPECT_TRUE(player.log.empty()) << "no file, nothing to ask";

    // A file the player named only in the code page is asked in wide text by the same name.
    player.metadata = {{"wide|C:\\Music\\Bj\xc3\xb6rk.flac|artist", "Bj\xc3\xb6rk"},
                       {"wide|C:\\Music\\Bj\xc3\xb6rk.flac|title", "J\xc3\xb3ga"}};
    const sq::PlayerTags tags = mod.GetPlayerTags({"C:\\Music\\Bj\xf6rk.flac", ""});
    EXPECT_EQ(tags.artist + "|" + tags.title, "Bj\xc3\xb6rk|J\xc3\xb3ga");
}

}  // namespace
