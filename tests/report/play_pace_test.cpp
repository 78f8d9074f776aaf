#include "report/play_pace.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

struct Sample {
    std::optional<long> position_ms;  // -2 for a tick that does not play (Forget)
    std::uint32_t at_ms;
    bool heard;
};

TEST(PlayPace, OnlyASongPlayedAtTheClocksSpeedIsHeard) {
    const struct {
        const char* name;
        std::vector<Sample> ticks;
    } rows[] = {
        {"the clock's speed, ticks late and early",
         {{0, 0, true}, {1000, 1000, true}, {2300, 2100, true}, {2900, 2900, true}, {8000, 8000, true}}},
        {"the Disk Writer at 36 times",
         {{0, 0, true}, {36000, 1000, false}, {72000, 2000, false}, {108000, 3000, false}}},
        {"the Disk Writer's next song", {{200000, 0, true}, {236000, 1000, false}, {30000, 2000, false}}},
        {"up to twice the clock and a second", {{0, 0, true}, {2900, 1000, true}, {6100, 2000, false}}},
        {"exactly twice the clock and a second", {{0, 0, true}, {3000, 1000, true}}},
        {"a position that stands still", {{5000, 0, true}, {5000, 1000, true}, {5000, 2000, true}}},
        {"four times the clock", {{0, 0, true}, {4000, 1000, false}, {16000, 4000, false}}},
        {"a seek forward costs its tick", {{10000, 0, true}, {11000, 1000, true}, {70000, 2000, false}, {71000, 3000, true}}},
        {"a seek back costs its tick", {{100000, 0, true}, {101000, 1000, true}, {20000, 2000, false}, {21000, 3000, true}}},
        {"the next song played", {{200000, 0, true}, {500, 1000, true}, {1500, 2000, true}}},
        {"no position, and -1, say nothing", {{std::nullopt, 0, true}, {-1, 1000, true}, {50000, 2000, true}}},
        {"-1 breaks the run", {{10000, 0, true}, {-1, 1000, true}, {90000, 2000, true}, {91000, 3000, true}}},
        {"a pause breaks the run", {{0, 0, true}, {1000, 1000, true}, {-2, 2000, true}, {90000, 60000, true}}},
        {"the clock wraps", {{0, 0xFFFFFC18u, true}, {1000, 0, true}, {41000, 1000, false}}},
    };
    for (const auto& row : rows) {
        sq::PlayPace pace;
        for (const Sample& tick : row.ticks) {
            if (tick.position_ms == -2) {
                pace.Forget();
                continue;
            }
            EXPECT_EQ(pace.KeepsToClock(tick.position_ms, tick.at_ms), tick.heard)
                << row.name << ", at " << tick.at_ms << " ms";
        }
    }
}

}  // namespace
