// The countdown on the real timer, through the real DLL as the host drives it: a new title in the
// player's window (the model, in this process) counts lblTime down once a second and is handed to the submission run
// on the 51st tick, once. The test prefix's proxy leads nowhere, so each run ends at once with
// the unknown-response text, and its time stamp in lblLastTime tells that a run took place.
// Takes about a minute.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kvo_winamp_gen.h"
#include "plugin/plugin_host.h"
#include "plugin/stand_in_wrapper.h"
#include "support/win_test_support.h"
#include "ui/win32_frm_main.h"
#include "winamp_model/player_window.h"

namespace {

using sqtest::ComApartment;
using sqtest::CreatePluginByProgId;

constexpr char kNoRunYet[] = "No time reported.";

std::string Label(HWND window, int id) {
    char text[64] = {};
    ::GetWindowTextA(::GetDlgItem(window, id), text, sizeof text);
    return text;
}

std::string TimeLabel(HWND window) { return Label(window, sq::IDC_LBL_TIME); }

bool RunHasEnded(HWND window) { return Label(window, sq::IDC_LBL_LAST_TIME) != kNoRunYet; }

struct LabelChange {
    std::string text;
    ULONGLONG at_ms;
    bool run_ended;
};

TEST(CountdownLive, NewTitleIsCountedDownAndSubmittedOnceOnTheFiftyFirstTick) {
    ComApartment com;
    sim::PlayerWindow player;
    ASSERT_NE(player.hwnd(), nullptr);
    player.Add({L"C:\\Music\\song.mp3", L"Artist", L"Song"});
    player.Add({L"C:\\Music\\tune.mp3", L"Other", L"Tune"});
    player.Play(0);

    IKvoWinAmpGenPlugin* plugin = CreatePluginByProgId();
    ASSERT_NE(plugin, nullptr);
    sqtest::StandInWrapper wrapper;
    ASSERT_EQ(plugin->Initialize(&wrapper), S_OK);
    HWND window = ::FindWindowW(sq::kMainWindowClass, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(TimeLabel(window), "50 sec");
    EXPECT_FALSE(RunHasEnded(window));

    // Every change of the label, with its time and whether a run had ended by then.
    std::vector<LabelChange> changes;
    std::string shown = TimeLabel(window);
    const bool finished = sqtest::PumpMessagesUntil(
        [&] {
            const std::string now = TimeLabel(window);
            if (now != shown) {
                shown = now;
                changes.push_back({now, ::GetTickCount64(), RunHasEnded(window)});
            }
            return (!changes.empty() && now == "50 sec") || changes.size() > 60;
        },
        80000);
    ASSERT_TRUE(finished) << "the countdown did not come back to \"50 sec\" within 80 s";

    std::vector<std::string> expected;
    for (int n = 49; n >= 0; --n) expected.push_back(std::to_string(n) + " sec");
    expected.push_back("50 sec");
    std::vector<std::string> seen;
    for (const LabelChange& change : changes) seen.push_back(change.text);
    ASSERT_EQ(seen, expected) << "lblTime counts 49 ... 0, then shows 50 on the submitting tick";

    for (size_t i = 1; i < changes.size(); ++i) {
        const ULONGLONG step = changes[i].at_ms - changes[i - 1].at_ms;
        EXPECT_GE(step, 400u) << "between \"" << changes[i - 1].text << "\" and \"" << changes[i].text << "\"";
        EXPECT_LE(step, 3000u) << "between \"" << changes[i - 1].text << "\" and \"" << changes[i].text << "\"";
    }
    const ULONGLONG total = changes.back().at_ms - changes.front().at_ms;
    EXPECT_GE(total, 45000u) << "fifty one-second ticks from \"49 sec\" to the submitting tick";
    EXPECT_LE(total, 70000u);
    EXPECT_FALSE(changes[changes.size() - 2].run_ended) << "no run before the 51st tick";
    EXPECT_TRUE(changes.back().run_ended) << "the 51st tick starts the submission run";
    EXPECT_EQ(Label(window, sq::IDC_LBL_RESPONSE), "Sonoquill returned an unknown response.");

    // The same title keeps showing: nothing counts and nothing is submitted again.
    ::SetWindowTextA(::GetDlgItem(window, sq::IDC_LBL_LAST_TIME), kNoRunYet);
    sqtest::PumpMessagesFor(3500);
    EXPECT_EQ(TimeLabel(window), "50 sec");
    EXPECT_FALSE(RunHasEnded(window));

    // LastPlayed took the title: another title counts, and one tick of the first refills.
    player.Play(1);
    EXPECT_TRUE(sqtest::PumpMessagesUntil([&] { return TimeLabel(window) == "48 sec"; }, 5000));
    player.Play(0);
    EXPECT_TRUE(sqtest::PumpMessagesUntil([&] { return TimeLabel(window) == "50 sec"; }, 3000))
        << "the submitted title is the one LastPlayed holds";
    EXPECT_FALSE(RunHasEnded(window));
    plugin->Release();
}

}  // namespace
