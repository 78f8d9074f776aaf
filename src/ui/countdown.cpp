#include "ui/countdown.h"

namespace sq {

void Countdown::Tick(TitleSource& titles, const std::function<void()>& submit) {
    if (titles.GetSongTitle() == LastPlayed) {
        lngCounter = kResetValue;
        return;
    }
    --lngCounter;
    if (lngCounter < 0) {
        lngCounter = kResetValue;
        // A second read of the player: the title showing now is the one that gets reported.
        LastPlayed = titles.GetSongTitle();
        if (submit) submit();
    }
}

std::string Countdown::LabelText() const { return std::to_string(lngCounter) + " sec"; }

}  // namespace sq
