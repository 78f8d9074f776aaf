#include "report/countdown.h"

namespace sq {

void Countdown::Tick(const PlayerReading& reading, const std::function<void()>& submit) {
    if (!reading.Counts()) return;
    if (reading.title == LastPlayed) {
        lngCounter = kResetValue;
        return;
    }
    if (reading.play != 0 && reading.play == reported_) {
        // Its tags were fixed after its report: the play was reported, under its old title.
        LastPlayed = reading.title;
        lngCounter = kResetValue;
        return;
    }
    if (reading.play != counted_) {
        counted_ = reading.play;
        lngCounter = kResetValue;
    }
    --lngCounter;
    if (lngCounter < 0) {
        lngCounter = kResetValue;
        LastPlayed = reading.title;
        reported_ = reading.play;
        if (submit) submit();
    }
}

std::string Countdown::LabelText() const { return std::to_string(lngCounter) + " sec"; }

}  // namespace sq
