#pragma once
// The one home of the report's decision: which play the player is in, whether it has played 51
// seconds of its own, and which artist and track its report carries. The control window's timer
// calls Tick once a second, which hands a song that is due to the submission run, whose tag step
// asks identity() who the song is.
#include <cstdint>
#include <functional>

#include "common/played_song.h"
#include "report/countdown.h"
#include "report/play_watch.h"
#include "report/song_identity.h"

namespace sq {

class Reporter {
public:
    Reporter(WinAmpMod& player, FileTags& file_tags, const CodePage& code_page, FailureTrace& failures)
        : watch_(player), identity_(file_tags, player, code_page, failures) {}

    // One tick: looks at the player and counts; hands `submit` the song whose countdown ran out on
    // this tick, read before anything else runs. The countdown is settled before `submit` runs,
    // so a tick handled while that song's run waits only refills the counter.
    void Tick(std::uint32_t now_ms, const std::function<void(const PlayedSong&)>& submit);

    // lngCounter and LastPlayed, which the window shows and resets as it loads.
    Countdown& countdown() { return countdown_; }
    SongIdentity& identity() { return identity_; }

private:
    PlayWatch watch_;
    Countdown countdown_;
    SongIdentityRule identity_;
};

}  // namespace sq
