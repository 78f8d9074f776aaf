#pragma once
// WinAmpMod: everything the plug-in learns from the player, asked through one port. Once a tick
// it looks at the player (its window, play state and title); on the tick that ends a countdown it
// reads the song to report (the playing file, and a stream's title), before the run lets any event
// through; a run asks it for the player's own tags of a file. What the player does not answer is
// empty; nothing here catches, so a failure (out of memory) skips the tick's or the run's step.
#include <string>

#include "player/player_port.h"
#include "player/playing_file.h"

namespace sq {

enum class PlayState { kPlaying, kPaused, kStopped, kNoPlayer };

// The player as one tick saw it.
struct PlayerReading {
    PlayState state = PlayState::kNoPlayer;
    std::string title;           // the song title (UTF-8); empty without a player
    bool stream_status = false;  // the title is a stream's status or address, not a song

    // Only time played counts: a pause delays a report by its length, and a paused or stopped
    // title, the player's own name or a stream still connecting is never counted into a report.
    bool Counts() const { return state == PlayState::kPlaying && !stream_status; }
};

// What a submission run reports: read on the tick that ended the countdown.
struct PlayedSong {
    std::string title;         // the song title (UTF-8), the fallback for the track
    PlayingFile file;          // empty when the player does not say
    std::string stream_title;  // for a stream: "Artist - Song" (UTF-8), as the player answers it
};

struct PlayerTags {
    std::string artist;  // UTF-8
    std::string title;
};

class WinAmpMod {
public:
    explicit WinAmpMod(PlayerPort& port) : port_(port) {}

    // Looks the player's window up; false when there is none. The routines below ask the window
    // found last.
    bool FindWinAmp() { return port_.FindWindow(); }
    PlayState GetPlayState();
    std::string GetSongTitle();
    // FindWinAmp, then the play state and the title, once; a stream's status is told apart.
    PlayerReading Look();

    // The file the player is playing: the player's own answer (kWidePlayingFile), else the entry
    // at its position (kPlaylistPosition, then kWideEntryPath / kEntryPath), and only when it
    // names none of these, and a write is allowed, the playlist files it writes on kWritePlaylist.
    enum class PlaylistWrite { kAllowed, kNever };
    PlayingFile GetPlayingFile(PlaylistWrite write = PlaylistWrite::kAllowed);
    // The song of the reading that ended a countdown.
    PlayedSong SongToReport(const PlayerReading& reading);
    // The artist and title the player knows for a file (kWideMetadata, else kMetadata); empty
    // unless both are known.
    PlayerTags GetPlayerTags(const PlayingFile& file);

private:
    PlayingFile EntryThePlayerNames(long position);
    std::string Metadata(const PlayingFile& file, const char* field, bool wide);

    PlayerPort& port_;
};

}  // namespace sq
