#pragma once
// Whether the song plays at the speed of the clock. Converting files, the player plays them through
// its Disk Writer as fast as the disk writes, and its play state says "playing" all the while; the
// playing position then runs many times faster than time passes (36 to 64 times on an ordinary
// disk). A seek moves the position once.
#include <cstdint>
#include <optional>

namespace sq {

class PlayPace {
public:
    // This tick's playing position (milliseconds into the song; nothing, or -1, when the player
    // does not say) at `now_ms` on a millisecond clock that may wrap. False when the position has
    // run ahead of the clock since the tick before by more than a tick's jitter: then it was not
    // heard. The first position after a pause of the samples (Forget) is taken as heard. A
    // position that went back started a song, or was sought back: it counts from the song's start.
    // So a seek either way costs the tick that sees it, and nothing more.
    bool KeepsToClock(std::optional<long> position_ms, std::uint32_t now_ms);
    // Ticks on which the player does not play break the run of samples.
    void Forget() { last_.reset(); }

private:
    struct Sample {
        long position_ms;
        std::uint32_t at_ms;
    };
    std::optional<Sample> last_;
};

}  // namespace sq
