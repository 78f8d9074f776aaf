#pragma once
// WinAmpMod: everything the plug-in learns from the player, asked through one port. Once a tick
// it looks at the player (its window, play state and title, and while it plays whether the song is
// heard); on the tick that ends a countdown it reads the song to report (the playing file, and a
// stream's title), before the run lets any event through; a run asks it for the player's own tags
// of a file. What the player does not answer is empty; nothing here catches, so a failure (out of
// memory) skips the tick's or the run's step.
#include <cstdint>
#include <optional>
#include <string>

#include "common/played_song.h"
#include "player/play_pace.h"
#include "player/play_tracker.h"
#include "player/player_port.h"
#include "player/playing_file.h"
#include "player/stream_title.h"

namespace sq {

enum class PlayState { kPlaying, kPaused, kStopped, kNoPlayer };

// Why a tick on which the player plays is not heard as a song.
enum class Hold {
    kNone,
    kStreamStatus,     // a stream connecting, buffering or interrupted, or its bare address
    kNoStreamTitle,    // a station that plays no song: its name, "(Station)", talk, a break
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

    // Only time heard counts: a pause delays a report by its length, and a paused or stopped
    // title, the player's own name, a stream that plays no song and a song converted to a file
    // are never counted into a report.
    bool Counts() const { return state == PlayState::kPlaying && hold == Hold::kNone; }
};

class WinAmpMod {
public:
    // The code page turns the player's 8-bit answers into the core's UTF-8, and back.
    WinAmpMod(PlayerPort& port, const CodePage& code_page) : port_(port), code_page_(code_page) {}

    // Looks the player's window up; false when there is none. The routines below ask the window
    // found last.
    bool FindWinAmp() { return port_.FindWindow(); }
    PlayState GetPlayState();
    // The title the player shows: its own answer where it gives one (kWidePlayingTitle), else its
    // caption, read back from a scrolled copy.
    std::string GetSongTitle();
    // FindWinAmp, then the play state and the title, once; while the player plays a title other
    // than `reported` (the title reported last, which only refills the countdown), whether the
    // song is heard and which play of it: its output, position and video on every such tick
    // (`now_ms`: a millisecond clock), and on the first tick of each title the playing file, which
    // tells a stream that names no song, and another file from the same one retitled.
    PlayerReading Look(std::uint32_t now_ms, const std::string& reported);

    // The file the player is playing: the player's own answer (kWidePlayingFile), else the entry
    // at its position (kPlaylistPosition, then kWideEntryPath / kEntryPath), and only when it
    // names none of these, and a write is allowed, the playlist files it writes on kWritePlaylist.
    enum class PlaylistWrite { kAllowed, kNever };
    PlayingFile GetPlayingFile(PlaylistWrite write = PlaylistWrite::kAllowed);
    // The song of the reading that ended a countdown: its file, and a stream's artist and track.
    PlayedSong SongToReport(const PlayerReading& reading);
    // The artist and title the player knows for a file (kWideMetadata, else kMetadata); empty
    // unless both are known.
    PlayerTags GetPlayerTags(const PlayingFile& file);

private:
    Hold HeardHold(std::optional<long> position_ms, std::uint32_t now_ms);
    Hold StreamHold(const std::string& title, const PlayingFile& file);
    PlayingFile EntryThePlayerNames(long position);
    std::string StreamTitle(const PlayingFile& stream);
    std::string Metadata(const PlayingFile& file, const char* field, bool wide);

    PlayerPort& port_;
    const CodePage& code_page_;
    PlayPace pace_;
    PlayTracker plays_;
    // What the first tick of the title playing now found: its file, and whether it is a stream that
    // plays no song. A title changes whenever a stream's song does, and every tick that does not
    // play forgets it.
    struct TitleLook {
        std::string title;
        PlayingFile file;
        Hold hold;
    };
    std::optional<TitleLook> title_look_;
};

}  // namespace sq
