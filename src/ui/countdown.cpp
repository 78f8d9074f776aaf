#include "ui/countdown.h"

namespace sq {

void Countdown::Tick(const PlayerReading& reading, const std::function<void()>& submit) {
    if (!reading.Counts()) return;
    if (reading.title == LastPlayed) {
        lngCounter = kResetValue;
        return;
    }
    --lngCounter;
    if (lngCounter < 0) {
        lngCounter = kResetValue;
        LastPlayed = reading.title;
        if (submit) submit();
    }
}

std::string Countdown::LabelText() const { return std::to_string(lngCounter) + " sec"; }

}  // namespace sq
