#pragma once
// The countdown that decides when a song is reported: a title that differs from the one reported
// last is submitted once the player has played it through 51 one-second ticks. Ticks on which the
// player is paused, stopped or gone hold the countdown where it stands.
#include <cstdint>
#include <functional>
#include <string>

namespace sq {

// The player as one tick sees it.
class WatchedPlayer {
public:
    virtual ~WatchedPlayer() = default;
    // True only while the player answers that it is playing.
    virtual bool IsPlaying() = 0;
    virtual std::string GetSongTitle() = 0;
};

class Countdown {
public:
    static constexpr int16_t kResetValue = 50;

    // One tick. `submit` runs synchronously and may pump messages, so further ticks can arrive
    // inside it: the counter and LastPlayed are settled before it starts so that such a nested
    // tick only refills the counter.
    void Tick(WatchedPlayer& player, const std::function<void()>& submit);

    // The caption of lblTime for the counter as it stands now.
    std::string LabelText() const;

    void Reset() { lngCounter = kResetValue; }

    int16_t lngCounter = kResetValue;
    std::string LastPlayed;
};

}  // namespace sq
