#pragma once
// What each tick hears of the player: whether a song plays that counts toward its report, which
// play of it, and, on the tick a report is due, the song to report. Only time heard counts: a
// pause delays a report by its length, and a paused or stopped title, the player's own name, a
// stream that plays no song, a song converted to a file and a film never count.
#include <cstdint>
#include <optional>
#include <string>

#include "common/played_song.h"
#include "player/winamp_mod.h"
#include "report/play_pace.h"
#include "report/play_tracker.h"

namespace sq {

// Why a tick on which the player plays is not heard as a song.
enum class Hold {
    kNone,
    kEmptyTitle,       // no title at all: the playlist cleared under a song, its title refreshed
    kStreamStatus,     // a stream connecting, buffering or interrupted, or its bare address
    kNoStreamTitle,    // a stream that names no song: a station's name, "(Station)", talk, a break,
                       // a file over HTTP without tags
    kNotAtClockSpeed,  // written to disk by the Disk Writer, or played faster than time passes
    kVideo,            // a film: its sound is not a song
    kReopening,        // the same file reopened, its position not yet running: on, or again from its start?
};

// The player as one tick saw it.
struct PlayerReading {
    PlayState state = PlayState::kNoPlayer;
    std::string title;  // the song title (UTF-8); empty without a player
    Hold hold = Hold::kNone;
    // The play of the song heard (see PlayTracker), on the ticks that count and were looked at
    // closely: all but those of the title reported last.
    PlayTracker::Play play = 0;

    bool Counts() const { return state == PlayState::kPlaying && hold == Hold::kNone; }
};

class PlayWatch {
public:
    explicit PlayWatch(WinAmpMod& player) : player_(player) {}

    // FindWinAmp, then the play state and the title, once; while the player plays a title other
    // than `reported` (the title reported last, which only refills the countdown), whether the
    // song is heard and which play of it: its output, position and video on every such tick
    // (`now_ms`: a millisecond clock), and on the first tick of each title the playing file, which
    // tells a stream that names no song, and another file from the same one retitled.
    PlayerReading Look(std::uint32_t now_ms, const std::string& reported);
    // The song of the reading that ended a countdown: its file, and a stream's artist and track.
    // Read before the run lets any event through, so that a track change waiting in the queue
    // cannot lend its file to the title counted.
    PlayedSong SongToReport(const PlayerReading& reading);

private:
    // How a stream names the song it plays under a title, as the first tick of the title finds it.
    struct StreamSong {
        Hold hold = Hold::kNone;
        // A station's songs are told apart by their titles; a file over HTTP plays as a file does,
        // its position telling a new start.
        bool by_title = true;
        ArtistAndTrack names;  // what its report carries; empty where the title is all it has
    };
    Hold HeardHold(std::optional<long> position_ms, std::uint32_t now_ms);
    StreamSong LookAtStream(const std::string& title, const PlayingFile& file);

    WinAmpMod& player_;
    PlayPace pace_;
    PlayTracker plays_;
    // What the first tick of the title playing now found: its file, and whether it is a stream that
    // plays no song. A title changes whenever a stream's song does, and every tick that does not
    // play forgets it.
    struct TitleLook {
        std::string title;
        PlayingFile file;
        StreamSong stream;
    };
    std::optional<TitleLook> title_look_;
};

}  // namespace sq
