#pragma once
// The countdown that decides when a song is reported: a title that keeps showing, and differs
// from the one reported last, is submitted on the 51st one-second tick that sees it.
#include <cstdint>
#include <functional>
#include <string>

namespace sq {

class TitleSource {
public:
    virtual ~TitleSource() = default;
    virtual std::string GetSongTitle() = 0;
};

class Countdown {
public:
    static constexpr int16_t kResetValue = 50;

    // One tick. `submit` runs synchronously and may pump messages, so further ticks can arrive
    // inside it: the counter and LastPlayed are settled before it starts so that such a nested
    // tick only refills the counter.
    void Tick(TitleSource& titles, const std::function<void()>& submit);

    // The caption of lblTime for the counter as it stands now.
    std::string LabelText() const;

    void Reset() { lngCounter = kResetValue; }

    int16_t lngCounter = kResetValue;
    std::string LastPlayed;
};

}  // namespace sq
