#include "report/play_tracker.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

enum Seen { kFirst, kSame, kNew, kWaits };

struct Tick {
    const char* title;
    const char* file;  // "" when the player names none
    std::optional<long> position_ms;
    Seen seen;
};

// Each row is one session of ticks on which a song is heard; each tick says whether it saw the
// play of the tick before, another play, or has to wait for a moving position.
TEST(PlayTracker, ANewPlayStartsWhenAnotherSongStartsAndOnlyThen) {
    const char* a = "C:\\a.mp3";
    const char* b = "C:\\b.mp3";
    const char* radio = "http://radio.example/live";
    const struct {
        const char* name;
        std::vector<Tick> ticks;
    } rows[] = {
        {"played on, paused between", {{"A", a, 0, kFirst}, {"A", a, 1000, kSame}, {"A", a, 2100, kSame}}},
        {"skipped to the next song", {{"A", a, 20000, kFirst}, {"B", b, 400, kNew}, {"B", b, 1400, kSame}}},
        {"the next song read at 0", {{"A", a, 20000, kFirst}, {"B", b, 0, kNew}}},
        {"another file of the same title", {{"A", a, 300, kFirst}, {"A", b, 400, kNew}}},
        {"the same file again from its start",
         {{"A", a, 20000, kFirst}, {"A", a, 21000, kSame}, {"A", a, 300, kNew}, {"A", a, 1300, kSame}}},
        {"the same file again, read at 0 first",
         {{"A", a, 20000, kFirst}, {"A", a, 0, kWaits}, {"A", a, 900, kNew}}},
        {"a seek back, not to the start", {{"A", a, 100000, kFirst}, {"A", a, 30000, kSame}}},
        {"a step back of the output's buffer", {{"A", a, 3000, kFirst}, {"A", a, 2500, kSame}}},
        {"a seek back to the start", {{"A", a, 100000, kFirst}, {"A", a, 2000, kNew}}},
        {"a tag fixed 20 s in, the file reopened",
         {{"A", a, 19500, kFirst}, {"A fixed", a, 0, kWaits}, {"A fixed", a, 0, kWaits}, {"A fixed", a, 21500, kSame},
          {"A fixed", a, 22500, kSame}}},
        {"a tag fixed, the file ready at once", {{"A", a, 19500, kFirst}, {"A fixed", a, 20500, kSame}}},
        {"a tag fixed, then played from the start",
         {{"A", a, 30000, kFirst}, {"A fixed", a, 0, kWaits}, {"A fixed", a, 800, kNew}}},
        {"a tag fixed in the first seconds", {{"A", a, 1500, kFirst}, {"A fixed", a, 2500, kNew}}},
        {"another title of an unknown file", {{"A", "", 19500, kFirst}, {"A fixed", "", 20500, kNew}}},
        {"no position: the title alone",
         {{"A", a, std::nullopt, kFirst}, {"A", a, -1, kSame}, {"A fixed", a, -1, kNew}}},
        {"a stream's next song, its position running on",
         {{"Song 1 (Radio)", radio, 50000, kFirst}, {"Song 2 (Radio)", radio, 51000, kNew}}},
        {"a stream reconnected", {{"Song 1 (Radio)", radio, 50000, kFirst}, {"Song 1 (Radio)", radio, 300, kSame}}},
        {"a short song played again and again",
         {{"A", a, 29000, kFirst}, {"A", a, 30000, kSame}, {"A", a, 700, kNew}, {"A", a, 30000, kSame}, {"A", a, 600, kNew}}},
        {"retitled, then no position", {{"A", a, 19500, kFirst}, {"A fixed", a, 20500, kSame}, {"A fixed", a, -1, kSame}}},
        {"the file named on the second look", {{"A", "", 10000, kFirst}, {"A", a, 11000, kSame}, {"A", b, 12000, kNew}}},
    };
    for (const auto& row : rows) {
        sq::PlayTracker plays;
        std::optional<sq::PlayTracker::Play> before;
        for (const Tick& tick : row.ticks) {
            const sq::PlayingFile file{tick.file, ""};
            const std::optional<sq::PlayTracker::Play> play = plays.See(tick.title, file, tick.position_ms, file.IsStream());
            const Seen seen = !play ? kWaits : !before ? kFirst : *play == *before ? kSame : kNew;
            EXPECT_EQ(seen, tick.seen) << row.name << ", " << tick.title << " at " << tick.position_ms.value_or(-1);
            if (play) before = play;
        }
    }
}

// A file whose position never moves tells nothing: after ten ticks at 0 it is the same play, and a
// moving position still shows a new start later.
TEST(PlayTracker, APositionStuckAtZeroWaitsTenTicksThenGoesOn) {
    sq::PlayTracker plays;
    const sq::PlayingFile file{"C:\\a.mp3", "C:\\a.mp3"};
    const sq::PlayTracker::Play first = *plays.See("A", file, 30000, false);
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(plays.See("A fix", file, 0, false)) << i;
    EXPECT_EQ(plays.See("A fix", file, 31000, false), first) << "a first reopen that moved";
    for (int i = 0; i < 10; ++i) EXPECT_FALSE(plays.See("A fixed", file, 0, false)) << "each reopen waits its own ten ticks";
    EXPECT_EQ(plays.See("A fixed", file, 0, false), first);
    EXPECT_EQ(plays.See("A fixed", file, 0, false), first);
    EXPECT_NE(plays.See("A fixed", file, 1000, false), first);
}

}  // namespace
