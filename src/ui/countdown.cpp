#include "ui/countdown.h"

namespace sq {

void Countdown::Tick(WatchedPlayer& player, const std::function<void()>& submit) {
    // Only time played counts: a pause delays the report by its length, and a paused or stopped
    // title (or the player's own name) is never counted down into a report of its own.
    if (!player.IsPlaying()) return;
    if (player.GetSongTitle() == LastPlayed) {
        lngCounter = kResetValue;
        return;
    }
    --lngCounter;
    if (lngCounter < 0) {
        lngCounter = kResetValue;
        // A second read of the player: the title showing now is the one that gets reported.
        LastPlayed = player.GetSongTitle();
        if (submit) submit();
    }
}

std::string Countdown::LabelText() const { return std::to_string(lngCounter) + " sec"; }

}  // namespace sq
