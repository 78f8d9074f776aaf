#include "report/play_pace.h"

namespace sq {
namespace {

// The player's position moves in steps of its output buffer, and a timer tick comes late or early:
// up to twice the clock and a second more is still listening. The Disk Writer runs far beyond it
// (36 times the clock on a slow disk), and so does a seek between two ticks.
constexpr std::int64_t kSpareMs = 1000;

bool Ahead(long moved_ms, std::int64_t elapsed_ms) { return moved_ms > 2 * elapsed_ms + kSpareMs; }

}  // namespace

bool PlayPace::KeepsToClock(std::optional<long> position_ms, std::uint32_t now_ms) {
    if (!position_ms || *position_ms < 0) {
        Forget();
        return true;
    }
    const std::optional<Sample> last = last_;
    last_ = Sample{*position_ms, now_ms};
    if (!last) return true;
    const long from = *position_ms >= last->position_ms ? last->position_ms : 0;
    const std::uint32_t elapsed_ms = now_ms - last->at_ms;
    return !Ahead(*position_ms - from, elapsed_ms);
}

}  // namespace sq
