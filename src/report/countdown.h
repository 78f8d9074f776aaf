#pragma once
// The countdown that decides when a song is reported: a song whose title differs from the one
// reported last is submitted once the player has played it through 51 one-second ticks of its own
// play. Another song starting starts the count again; ticks on which the player does not count
// (paused, stopped, gone, a stream still connecting, a film) hold it where it stands.
#include <cstdint>
#include <functional>
#include <string>

#include "report/play_watch.h"

namespace sq {

class Countdown {
public:
    static constexpr int16_t kResetValue = 50;

    // One tick, given what the tick read of the player. `submit` runs synchronously and may pump
    // messages, so further ticks can arrive inside it: the counter and LastPlayed are settled
    // before it starts so that such a nested tick only refills the counter.
    void Tick(const PlayerReading& reading, const std::function<void()>& submit);

    // The caption of lblTime for the counter as it stands now.
    std::string LabelText() const;

    void Reset() { lngCounter = kResetValue; }

    int16_t lngCounter = kResetValue;
    std::string LastPlayed;  // UTF-8, as the titles it is compared with

private:
    // 0: none known.
    PlayTracker::Play counted_ = 0;   // the play lngCounter counts
    PlayTracker::Play reported_ = 0;  // the play LastPlayed was reported from
};

}  // namespace sq
