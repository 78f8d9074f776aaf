// What a tick hears of the player, against a fake player whose requests a test sets one by one:
// what counts toward a report, which play each tick is of, and the song read when one is due.
#include "report/play_watch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
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
    const std::string episode = "http://media.example/episode.mp3";
    const std::string ogg = "http://radio.example/live.ogg";
    const std::map<std::string, std::string> podcast = {{"wide|" + episode + "|streamtitle", ""},
                                                        {"wide|" + episode + "|streamtype", "1"},
                                                        {"wide|" + episode + "|artist", "Podcast Author"},
                                                        {"wide|" + episode + "|title", "Episode 42"}};
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
        {"the playlist cleared under a song, its title refreshed", true, 1, " - Winamp", "", {}, {}, 0x5092, kPlaying, "",
         sq::Hold::kEmptyTitle},
        {"a file over HTTP named by its tag", true, 1, "1. Podcast Author - Episode 42 - Winamp", episode, {},
         podcast, 0x5092, kPlaying, "Podcast Author - Episode 42", kNone},
        {"a file over HTTP without a tag", true, 1, "1. episode.mp3 - Winamp", episode, {},
         {{"wide|" + episode + "|streamtitle", ""}, {"wide|" + episode + "|streamtype", "1"}}, 0x5092, kPlaying,
         "episode.mp3", sq::Hold::kNoStreamTitle},
        {"a station between songs (streamtype 2)", true, 1, "1. Podcast Author - Episode 42 - Winamp", episode, {},
         {{"wide|" + episode + "|streamtitle", ""}, {"wide|" + episode + "|streamtype", "2"}}, 0x5092, kPlaying,
         "Podcast Author - Episode 42", sq::Hold::kNoStreamTitle},
        {"an Ogg station's song", true, 1, "1. Ogg Artist - Ogg Song - Winamp", ogg, {}, {}, 0x5092, kPlaying,
         "Ogg Artist - Ogg Song", kNone},
        {"an Ogg station's status", true, 1, "1. Prebuffering : 50% - Winamp", ogg, {}, {}, 0x5092, kPlaying,
         "Prebuffering : 50%", sq::Hold::kStreamStatus},
        {"an address the MP4 input plays: its file's name", true, 1, "1. episode - Winamp", "http://media.example/episode.m4a",
         {}, {}, 0x5092, kPlaying, "episode", sq::Hold::kNoStreamTitle},
        // 2.x lacks 3026: its 1, over a buffer left empty, is no answer.
        {"an Ogg station on 2.x", true, 1, "1. Ogg Artist - Ogg Song - Winamp", "", {{{winamp::kEntryPath, 1}, ogg}},
         {{"wide|" + ogg + "|streamtitle", ""}}, 0x2091, kPlaying, "Ogg Artist - Ogg Song", kNone},
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
        sq::PlayWatch watch(mod);
        const sq::PlayerReading reading = watch.Look(0, "");
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
    sq::PlayWatch watch(mod);
    std::uint32_t now = 0;
    for (const auto& tick : ticks) {
        player.numbers[winamp::kPlayState] = tick.state;
        player.texts[{winamp::kWidePlayingTitle, 0}] = tick.title;
        player.metadata["wide|" + live + "|streamtitle"] = tick.stream_title;
        EXPECT_EQ(watch.Look(now += 1000, "").Counts(), tick.counts) << tick.title;
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
    sq::PlayWatch watch(mod);
    player.texts[{winamp::kWidePlayingFile, 0}] = "C:\\a.mp3";
    EXPECT_TRUE(watch.Look(0, "Band - Song").Counts());
    EXPECT_EQ(player.log, (Log{"find window", "ask 104", "wide 3034@0"}));
    player.log.clear();
    EXPECT_FALSE(watch.Look(1000, "Other - Song").Counts()) << "another title is asked its output";
    EXPECT_EQ(player.log, (Log{"find window", "ask 104", "wide 3034@0", "ask 105", "text 625@0", "wide 3031@0"}))
        << "the Disk Writer: no film asked";
    player.texts[{winamp::kOutputPlugin, 0}] = "out_ds.dll";
    player.texts[{winamp::kWidePlayingTitle, 0}] = "Band - Song 2";
    player.log.clear();
    EXPECT_TRUE(watch.Look(2000, "Other - Song").Counts());
    EXPECT_EQ(player.log, (Log{"find window", "ask 104", "wide 3034@0", "ask 105", "text 625@0", "ask 501", "wide 3031@0"}));
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
        {"a station after the file: the jump costs its tick", 1, "Band - Song (Radio X)", "http://radio.example/live",
         49000, kHeld},
        {"a station's song", 1, "Band - Song (Radio X)", "http://radio.example/live", 50000, kNew},
        {"its buffer runs dry", 1, "[Buffer: 37%] Band - Song (Radio X)", "http://radio.example/live", 51000, kHeld},
        {"the same song: its seconds kept", 1, "Band - Song (Radio X)", "http://radio.example/live", 53000, kSame},
        {"a podcast over HTTP", 1, "Podcast - Ep", "http://media.example/ep.mp3", 300, kNew},
        {"it plays on", 1, "Podcast - Ep", "http://media.example/ep.mp3", 2800, kSame},
        {"played again from its start, as a file is", 1, "Podcast - Ep", "http://media.example/ep.mp3", 200, kNew},
    };
    FakePlayerPort player;
    player.metadata = {{"wide|http://radio.example/live|streamtitle", "Band - Song"},
                       {"wide|http://media.example/ep.mp3|streamtitle", ""},
                       {"wide|http://media.example/ep.mp3|streamtype", "1"},
                       {"wide|http://media.example/ep.mp3|artist", "Podcast"},
                       {"wide|http://media.example/ep.mp3|title", "Ep"}};
    sq::WinAmpMod mod(player, kCodePage);
    sq::PlayWatch watch(mod);
    std::uint32_t now = 0;
    sq::PlayTracker::Play before = 0;
    for (const auto& tick : ticks) {
        player.numbers[winamp::kPlayState] = tick.state;
        player.numbers[winamp::kPlayPosition] = tick.position_ms;
        player.texts[{winamp::kWidePlayingTitle, 0}] = tick.title;
        player.texts[{winamp::kWidePlayingFile, 0}] = tick.file;
        const sq::PlayerReading reading = watch.Look(now += 1000, "");
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
    sq::PlayWatch watch(mod);
    sq::PlayerReading reading;
    reading.title = "Band - Song (Radio X)";
    const sq::PlayedSong stream = watch.SongToReport(reading);
    EXPECT_EQ(stream.title, "Band - Song (Radio X)");
    EXPECT_EQ(stream.file.path, "http://radio.example/live");
    EXPECT_EQ(stream.stream.artist, "Band") << "the wide request first, then the code page's";
    EXPECT_EQ(stream.stream.track, "Song");

    player.texts[{winamp::kWidePlayingFile, 0}] = "C:\\Music\\a.mp3";
    player.log.clear();
    const sq::PlayedSong song = watch.SongToReport(reading);
    EXPECT_EQ(song.file.path, "C:\\Music\\a.mp3");
    EXPECT_EQ(song.stream.artist + song.stream.track, "");
    EXPECT_EQ(player.log, Log{"wide 3031@0"}) << "a file's metadata waits until its tags are read";

    player.texts[{winamp::kWidePlayingFile, 0}] = "http://radio.example/live.ogg";
    reading.title = "Ogg Artist - Ogg Song";
    const sq::PlayedSong ogg = watch.SongToReport(reading);
    EXPECT_EQ(ogg.stream.artist + "|" + ogg.stream.track, "Ogg Artist|Ogg Song") << "another input: its title split";
    player.texts[{winamp::kWidePlayingFile, 0}] = "http://media.example/ep.mp3";
    player.metadata = {{"wide|http://media.example/ep.mp3|streamtitle", ""},
                       {"wide|http://media.example/ep.mp3|streamtype", "1"},
                       {"wide|http://media.example/ep.mp3|artist", "Podcast"},
                       {"wide|http://media.example/ep.mp3|title", "Ep"}};
    const sq::PlayedSong podcast = watch.SongToReport(reading);
    EXPECT_EQ(podcast.stream.artist + "|" + podcast.stream.track, "Podcast|Ep") << "a file over HTTP: its tag";
}

}  // namespace
