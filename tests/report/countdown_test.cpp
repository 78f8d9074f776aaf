#include "report/countdown.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

// Drives a countdown as frmMain's timer does, with what each tick read of the player, and
// records what lblTime would show after each tick and which titles were handed to the run. Each
// title plays as a play of its own unless a test names the play.
class CountdownRun {
public:
    sq::Countdown countdown;
    sq::PlayerReading reading;
    std::vector<std::string> submitted;
    std::vector<std::string> labels;

    void Tick() {
        countdown.Tick(reading, [this] { submitted.push_back(countdown.LastPlayed); });
        labels.push_back(countdown.LabelText());
    }
    void Ticks(const std::string& title, int count, sq::PlayState state = sq::PlayState::kPlaying,
               sq::Hold hold = sq::Hold::kNone) {
        PlayOf(title, count, PlayFor(title), state, hold);
    }
    void PlayOf(const std::string& title, int count, sq::PlayTracker::Play play,
                sq::PlayState state = sq::PlayState::kPlaying, sq::Hold hold = sq::Hold::kNone) {
        reading = {state, title, hold, play};
        for (int i = 0; i < count; ++i) Tick();
    }

private:
    sq::PlayTracker::Play PlayFor(const std::string& title) {
        const auto known = plays_.find(title);
        if (known != plays_.end()) return known->second;
        return plays_[title] = static_cast<sq::PlayTracker::Play>(plays_.size() + 1);
    }
    std::map<std::string, sq::PlayTracker::Play> plays_;
};

sq::PlayerReading Playing(const std::string& title, sq::PlayTracker::Play play = 1) {
    return {sq::PlayState::kPlaying, title, sq::Hold::kNone, play};
}

std::vector<std::string> CountingLabels(int from, int to) {
    std::vector<std::string> labels;
    for (int n = from; n >= to; --n) labels.push_back(std::to_string(n) + " sec");
    return labels;
}

TEST(Countdown, StartsFullWithNothingSubmitted) {
    sq::Countdown countdown;
    EXPECT_EQ(countdown.lngCounter, 50);
    EXPECT_EQ(countdown.LastPlayed, "");
    EXPECT_EQ(countdown.LabelText(), "50 sec");
}

TEST(Countdown, NewTitleIsSubmittedOnItsFiftyFirstTickAndNotAgain) {
    CountdownRun run;
    run.Ticks("Artist - Song", 50);
    EXPECT_EQ(run.labels, CountingLabels(49, 0));
    EXPECT_TRUE(run.submitted.empty());
    EXPECT_EQ(run.countdown.LastPlayed, "");

    run.Tick();
    EXPECT_EQ(run.submitted, std::vector<std::string>{"Artist - Song"});
    EXPECT_EQ(run.countdown.LastPlayed, "Artist - Song");
    EXPECT_EQ(run.countdown.lngCounter, 50);
    EXPECT_EQ(run.labels.back(), "50 sec") << "the submitting tick shows the refilled counter";

    run.Ticks("Artist - Song", 200);
    EXPECT_EQ(run.submitted.size(), 1u);
    EXPECT_EQ(run.labels.back(), "50 sec");
}

TEST(Countdown, StreamStatusTicksHoldItAndTheStreamsSongIsReportedOnce) {
    // A song skipped after 45 s, then a stream: its connecting and buffering ticks hold the count,
    // as a pause does, and its song counts its own 51 ticks, not what the skipped one left.
    CountdownRun run;
    run.Ticks("Skipped - Song", 45);
    run.Ticks("[Connecting] http://radio.example/live", 20, sq::PlayState::kPlaying, sq::Hold::kStreamStatus);
    run.Ticks("http://radio.example/live", 5, sq::PlayState::kPlaying, sq::Hold::kStreamStatus);
    run.Ticks("[Buffer: 37%] Band - Song (Radio X)", 5, sq::PlayState::kPlaying, sq::Hold::kStreamStatus);
    EXPECT_TRUE(run.submitted.empty());
    EXPECT_EQ(run.labels.back(), "5 sec");
    run.Ticks("Band - Song (Radio X)", 50);
    EXPECT_TRUE(run.submitted.empty());
    run.Ticks("[Buffer: 12%] Band - Song (Radio X)", 5, sq::PlayState::kPlaying, sq::Hold::kStreamStatus);
    run.Ticks("Band - Song (Radio X)", 1);
    EXPECT_EQ(run.submitted, std::vector<std::string>{"Band - Song (Radio X)"}) << "on its own 51st tick of play";
    run.Ticks("[Stream temporarily interrupted] Band - Song (Radio X)", 10, sq::PlayState::kPlaying, sq::Hold::kStreamStatus);
    run.Ticks("Band - Song (Radio X)", 60);
    EXPECT_EQ(run.submitted.size(), 1u);
}

TEST(Countdown, AnotherSongStartsTheCountAgain) {
    CountdownRun run;
    run.Ticks("B", 30);
    run.Ticks("D", 20);
    EXPECT_TRUE(run.submitted.empty());
    EXPECT_EQ(run.labels.back(), "30 sec") << "the label shows the count of the song playing";
    run.Ticks("D", 30);
    EXPECT_TRUE(run.submitted.empty());
    run.Ticks("D", 1);
    EXPECT_EQ(run.submitted, std::vector<std::string>{"D"}) << "D goes on its own 51st tick";
    EXPECT_EQ(run.countdown.LastPlayed, "D");

    // The same song played again from its start, before its report, is another play.
    run.PlayOf("E", 30, 100);
    run.PlayOf("E", 50, 101);
    EXPECT_EQ(run.submitted.size(), 1u);
    run.PlayOf("E", 1, 101);
    EXPECT_EQ(run.submitted.back(), "E");
}

// The user fixes the playing song's tags: the player plays the same file on from where it was,
// under a new title.
TEST(Countdown, ARetitledPlayIsTheSamePlay) {
    CountdownRun run;
    run.PlayOf("Atrist - Song", 20, 7);
    run.PlayOf("Artist - Song", 30, 7);
    EXPECT_TRUE(run.submitted.empty()) << "the count goes on under the new title";
    run.PlayOf("Artist - Song", 1, 7);
    EXPECT_EQ(run.submitted, std::vector<std::string>{"Artist - Song"}) << "51 ticks after the song began";

    run.PlayOf("Artist - Song (Live)", 120, 7);
    EXPECT_EQ(run.submitted.size(), 1u) << "fixed after its report: no second report";
    EXPECT_EQ(run.countdown.LastPlayed, "Artist - Song (Live)");
    EXPECT_EQ(run.labels.back(), "50 sec");
    run.PlayOf("Artist - Song (Live)", 10, 8);
    EXPECT_EQ(run.labels.back(), "50 sec") << "a repeat straight after its report is not reported again";
}

TEST(Countdown, OneTickOfTheLastSubmittedTitleRefillsTheCounter) {
    CountdownRun run;
    run.Ticks("L", 51);
    ASSERT_EQ(run.submitted, std::vector<std::string>{"L"});
    run.Ticks("B", 30);
    EXPECT_EQ(run.labels.back(), "20 sec");
    run.Ticks("L", 1);
    EXPECT_EQ(run.labels.back(), "50 sec");
    EXPECT_EQ(run.countdown.lngCounter, 50);
    run.Ticks("B", 50);
    EXPECT_EQ(run.submitted.size(), 1u) << "B needs 51 further ticks, not 21";
    EXPECT_EQ(run.labels.back(), "0 sec");
    run.Ticks("B", 1);
    EXPECT_EQ(run.submitted, (std::vector<std::string>{"L", "B"}));
}

TEST(Countdown, NoPlayerWindowAtLoadCountsNothing) {
    CountdownRun run;
    run.Ticks("", 500, sq::PlayState::kNoPlayer);
    EXPECT_TRUE(run.submitted.empty());
    EXPECT_EQ(run.labels, std::vector<std::string>(500, "50 sec"));
}

TEST(Countdown, OnlyTicksOfPlayCount) {
    // A session as the player goes through it: each step is a title, whether the player answers
    // that it plays, how many ticks it lasts, and what lblTime and the reports are after it.
    struct Step {
        const char* what;
        std::string title;
        sq::PlayState state;
        int ticks;
        std::string label;
        std::vector<std::string> submitted;
    };
    const std::vector<std::string> none;
    const std::vector<std::string> a{"A"};
    const std::vector<std::string> a_b{"A", "B"};
    const Step steps[] = {
        {"idle start with a restored list", "No Song Playing", sq::PlayState::kStopped, 100, "50 sec", none},
        {"A plays", "A", sq::PlayState::kPlaying, 20, "30 sec", none},
        {"paused over a minute mid-song", "A [Paused]", sq::PlayState::kPaused, 70, "30 sec", none},
        {"resumed: A's 50th tick of play", "A", sq::PlayState::kPlaying, 30, "0 sec", none},
        {"A's 51st tick of play", "A", sq::PlayState::kPlaying, 1, "50 sec", a},
        {"paused after its report", "A [Paused]", sq::PlayState::kPaused, 120, "50 sec", a},
        {"resumed", "A", sq::PlayState::kPlaying, 60, "50 sec", a},
        {"stopped", "A [Stopped]", sq::PlayState::kStopped, 120, "50 sec", a},
        {"the player closes", "", sq::PlayState::kNoPlayer, 200, "50 sec", a},
        {"B plays, stopped halfway, played again", "B", sq::PlayState::kPlaying, 25, "25 sec", a},
        {"B stopped", "B [Stopped]", sq::PlayState::kStopped, 40, "25 sec", a},
        {"B from the start: a play of its own", "B", sq::PlayState::kPlaying, 26, "24 sec", a},
        {"B's 51st tick of that play", "B", sq::PlayState::kPlaying, 25, "50 sec", a_b},
    };
    CountdownRun run;
    sq::PlayTracker::Play play = 0;
    for (const Step& step : steps) {
        // A stop ends a play; a pause does not.
        if (step.state == sq::PlayState::kStopped) ++play;
        run.PlayOf(step.title, step.ticks, play, step.state);
        EXPECT_EQ(run.labels.back(), step.label) << step.what;
        EXPECT_EQ(run.submitted, step.submitted) << step.what;
    }
}

TEST(Countdown, TitlesAreComparedExactly) {
    CountdownRun run;
    run.Ticks("Song", 51);
    run.PlayOf("song", 1, 2);
    EXPECT_EQ(run.labels.back(), "49 sec");
    run.PlayOf("Song ", 1, 2);
    EXPECT_EQ(run.labels.back(), "48 sec");
}

TEST(Countdown, LabelNeverLeavesZeroToFifty) {
    CountdownRun run;
    const char* titles[] = {"A", "B", "", "A", "C"};
    // One play retitled again and again: the count runs on through every title.
    for (int i = 0; i < 1000; ++i) run.PlayOf(titles[(i / 37) % 5], 1, 1);
    ASSERT_FALSE(run.submitted.empty());
    for (const std::string& label : run.labels) {
        const int value = std::stoi(label);
        EXPECT_TRUE(value >= 0 && value <= 50) << label;
        EXPECT_EQ(label, std::to_string(value) + " sec");
    }
}

TEST(Countdown, TickNestedInsideTheSubmissionRunDoesNotSubmitAgain) {
    // The run lets window messages through while it waits, so timer ticks arrive inside it.
    sq::Countdown countdown;
    const sq::PlayerReading reading = Playing("Artist - Song");
    int runs = 0;
    std::vector<std::string> nested_labels;
    std::function<void()> submit = [&] {
        ++runs;
        for (int i = 0; i < 5; ++i) {
            countdown.Tick(reading, submit);
            nested_labels.push_back(countdown.LabelText());
        }
    };
    for (int i = 0; i < 51; ++i) countdown.Tick(reading, submit);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(countdown.LastPlayed, "Artist - Song");
    EXPECT_EQ(countdown.lngCounter, 50);
    EXPECT_EQ(nested_labels, std::vector<std::string>(5, "50 sec"));
}

TEST(Countdown, NestedTicksSeeingAnotherTitleCountDownInsideTheRun) {
    // A different title showing throughout a long wait runs the countdown out inside it: a
    // second run starts nested in the first, on the 51st nested tick, and only once for that title.
    sq::Countdown countdown;
    sq::PlayerReading reading = Playing("First");
    std::vector<std::string> runs;
    int nested_ticks = 0;
    int second_run_on = 0;
    std::function<void()> submit = [&] {
        runs.push_back(countdown.LastPlayed);
        if (runs.size() == 2) second_run_on = nested_ticks;
        if (runs.size() == 1) {
            reading = Playing("Second", 2);
            for (nested_ticks = 1; nested_ticks <= 120; ++nested_ticks) countdown.Tick(reading, submit);
        }
    };
    for (int i = 0; i < 51; ++i) countdown.Tick(reading, submit);
    EXPECT_EQ(runs, (std::vector<std::string>{"First", "Second"}));
    EXPECT_EQ(second_run_on, 51);
    EXPECT_EQ(countdown.LastPlayed, "Second");
    EXPECT_EQ(countdown.lngCounter, 50);
}

TEST(Countdown, MissingSubmitActionStillSettlesTheCountdown) {
    sq::Countdown countdown;
    for (int i = 0; i < 51; ++i) countdown.Tick(Playing("X"), nullptr);
    EXPECT_EQ(countdown.LastPlayed, "X");
    EXPECT_EQ(countdown.LabelText(), "50 sec");
}

}  // namespace
