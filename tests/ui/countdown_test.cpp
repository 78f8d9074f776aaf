#include "ui/countdown.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The player as the countdown sees it: whatever title and play state the test puts up, read on
// demand.
class StubPlayer final : public sq::WatchedPlayer {
public:
    std::string showing;
    bool playing = true;
    int reads = 0;
    bool IsPlaying() override { return playing; }
    std::string GetSongTitle() override {
        ++reads;
        return showing;
    }
};

// Drives a countdown as frmMain's timer does and records what lblTime would show after each
// tick and which titles were handed to the submission run.
class CountdownRun {
public:
    sq::Countdown countdown;
    StubPlayer player;
    std::vector<std::string> submitted;
    std::vector<std::string> labels;

    void Tick() {
        countdown.Tick(player, [this] { submitted.push_back(countdown.LastPlayed); });
        labels.push_back(countdown.LabelText());
    }
    void Ticks(const std::string& title, int count, bool playing = true) {
        player.showing = title;
        player.playing = playing;
        for (int i = 0; i < count; ++i) Tick();
    }
};

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

TEST(Countdown, SubmittingTickReadsTheTitleAgain) {
    // The title compared and the title stored are two reads: a change between them is what
    // gets stored and submitted.
    class ChangingPlayer final : public sq::WatchedPlayer {
    public:
        int reads = 0;
        bool IsPlaying() override { return true; }
        std::string GetSongTitle() override { return ++reads <= 51 ? "Old" : "New"; }
    } player;
    sq::Countdown countdown;
    std::vector<std::string> submitted;
    for (int i = 0; i < 51; ++i) countdown.Tick(player, [&] { submitted.push_back(countdown.LastPlayed); });
    EXPECT_EQ(player.reads, 52);
    EXPECT_EQ(countdown.LastPlayed, "New");
    EXPECT_EQ(submitted, std::vector<std::string>{"New"});
}

TEST(Countdown, TitleChangeDuringCountingDoesNotRestartIt) {
    CountdownRun run;
    run.Ticks("B", 30);
    run.Ticks("D", 20);
    EXPECT_TRUE(run.submitted.empty());
    EXPECT_EQ(run.labels.back(), "0 sec");
    run.Ticks("D", 1);
    EXPECT_EQ(run.submitted, std::vector<std::string>{"D"}) << "D goes on its own 21st tick";
    EXPECT_EQ(run.countdown.LastPlayed, "D");
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
    // No window answers that it plays: the title is not even read.
    CountdownRun run;
    run.Ticks("", 500, false);
    EXPECT_TRUE(run.submitted.empty());
    EXPECT_EQ(run.labels, std::vector<std::string>(500, "50 sec"));
    EXPECT_EQ(run.player.reads, 0);
}

TEST(Countdown, OnlyTicksOfPlayCount) {
    // A session as the player goes through it: each step is a title, whether the player answers
    // that it plays, how many ticks it lasts, and what lblTime and the reports are after it.
    struct Step {
        const char* what;
        std::string title;
        bool playing;
        int ticks;
        std::string label;
        std::vector<std::string> submitted;
    };
    const std::vector<std::string> none;
    const std::vector<std::string> a{"A"};
    const std::vector<std::string> a_b{"A", "B"};
    const Step steps[] = {
        {"idle start with a restored list", "No Song Playing", false, 100, "50 sec", none},
        {"A plays", "A", true, 20, "30 sec", none},
        {"paused over a minute mid-song", "A [Paused]", false, 70, "30 sec", none},
        {"resumed: A's 50th tick of play", "A", true, 30, "0 sec", none},
        {"A's 51st tick of play", "A", true, 1, "50 sec", a},
        {"paused after its report", "A [Paused]", false, 120, "50 sec", a},
        {"resumed", "A", true, 60, "50 sec", a},
        {"stopped", "A [Stopped]", false, 120, "50 sec", a},
        {"the player closes", "", false, 200, "50 sec", a},
        {"B plays, stopped halfway, played again", "B", true, 25, "25 sec", a},
        {"B stopped", "B [Stopped]", false, 40, "25 sec", a},
        {"B from the start", "B", true, 26, "50 sec", a_b},
    };
    CountdownRun run;
    for (const Step& step : steps) {
        run.Ticks(step.title, step.ticks, step.playing);
        EXPECT_EQ(run.labels.back(), step.label) << step.what;
        EXPECT_EQ(run.submitted, step.submitted) << step.what;
    }
}

TEST(Countdown, TitlesAreComparedExactly) {
    CountdownRun run;
    run.Ticks("Song", 51);
    run.Ticks("song", 1);
    EXPECT_EQ(run.labels.back(), "49 sec");
    run.Ticks("Song ", 1);
    EXPECT_EQ(run.labels.back(), "48 sec");
}

TEST(Countdown, LabelNeverLeavesZeroToFifty) {
    CountdownRun run;
    const char* titles[] = {"A", "B", "", "A", "C"};
    for (int i = 0; i < 1000; ++i) run.Ticks(titles[(i / 37) % 5], 1);
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
    StubPlayer player;
    player.showing = "Artist - Song";
    int runs = 0;
    std::vector<std::string> nested_labels;
    std::function<void()> submit = [&] {
        ++runs;
        for (int i = 0; i < 5; ++i) {
            countdown.Tick(player, submit);
            nested_labels.push_back(countdown.LabelText());
        }
    };
    for (int i = 0; i < 51; ++i) countdown.Tick(player, submit);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(countdown.LastPlayed, "Artist - Song");
    EXPECT_EQ(countdown.lngCounter, 50);
    EXPECT_EQ(nested_labels, std::vector<std::string>(5, "50 sec"));
}

TEST(Countdown, NestedTicksSeeingAnotherTitleCountDownInsideTheRun) {
    // A different title showing throughout a long wait runs the countdown out inside it: a
    // second run starts nested in the first, and still only once for that title.
    sq::Countdown countdown;
    StubPlayer player;
    player.showing = "First";
    std::vector<std::string> runs;
    std::function<void()> submit = [&] {
        runs.push_back(countdown.LastPlayed);
        if (runs.size() == 1) {
            player.showing = "Second";
            for (int i = 0; i < 120; ++i) countdown.Tick(player, submit);
        }
    };
    for (int i = 0; i < 51; ++i) countdown.Tick(player, submit);
    EXPECT_EQ(runs, (std::vector<std::string>{"First", "Second"}));
    EXPECT_EQ(countdown.LastPlayed, "Second");
    EXPECT_EQ(countdown.lngCounter, 50);
}

TEST(Countdown, MissingSubmitActionStillSettlesTheCountdown) {
    sq::Countdown countdown;
    StubPlayer player;
    player.showing = "X";
    for (int i = 0; i < 51; ++i) countdown.Tick(player, nullptr);
    EXPECT_EQ(countdown.LastPlayed, "X");
    EXPECT_EQ(countdown.LabelText(), "50 sec");
}

}  // namespace
