#pragma once
// WinAmpMod: what the player says, asked through one port: its window, play state, title,
// position, output plug-in, whether a film plays, the playing file, a stream's title and what it
// knows of a file's artist and title. It decides nothing about what to report (report/ does).
// What the player does not answer is empty; nothing here catches, so a failure (out of memory)
// skips the caller's step.
#include <optional>
#include <string>

#include "common/played_song.h"
#include "player/player_port.h"
#include "player/playing_file.h"

namespace sq {

enum class PlayState { kPlaying, kPaused, kStopped, kNoPlayer };

class WinAmpMod {
public:
    // The code page turns the player's 8-bit answers into the core's UTF-8, and back.
    WinAmpMod(PlayerPort& port, const CodePage& code_page) : port_(port), code_page_(code_page) {}

    // Looks the player's window up; false when there is none. The routines below ask the window
    // found last.
    bool FindWinAmp() {
        version_.reset();
        return port_.FindWindow();
    }
    PlayState GetPlayState();
    // The title the player shows: its own answer where it gives one (kWidePlayingTitle), else its
    // caption, read back from a scrolled copy.
    std::string GetSongTitle();
    // Milliseconds into the playing song; nothing when the player does not say.
    std::optional<long> GetPlayPosition() { return port_.Ask(winamp::kPlayPosition); }
    // The output plug-in's file name as the player names it (kOutputPlugin); empty without one.
    std::string GetOutputPlugin() { return port_.AskCodePageText(winamp::kOutputPlugin); }
    // True while an input plug-in has the video output open. A version without the request
    // answers 1, which says nothing.
    bool IsPlayingVideo() { return port_.Ask(winamp::kIsPlayingVideo) == winamp::kVideoOpen; }
    // False for a version before the one that names a stream's title and a file's metadata.
    bool NamesMetadata();

    // The file the player is playing: the player's own answer (kWidePlayingFile), else the entry
    // at its position (kPlaylistPosition, then kWideEntryPath / kEntryPath), and only when it
    // names none of these, and a write is allowed, the playlist files it writes on kWritePlaylist.
    enum class PlaylistWrite { kAllowed, kNever };
    PlayingFile GetPlayingFile(PlaylistWrite write = PlaylistWrite::kAllowed);
    // A field the player's input plug-in answers for the playing file or stream ("streamtitle",
    // "streamtype", "artist" ...): the wide request's text unless it is empty, else the code
    // page's. Nothing when neither answers (an input that knows no such field answers 0), or for a
    // version before kFirstVersionWithMetadata.
    std::optional<std::string> GetMetadata(const PlayingFile& file, const char* field);
    // The artist and title the player knows for a file (both from the wide request, else both from
    // the code page's); empty unless both are known.
    ArtistAndTrack GetPlayerTags(const PlayingFile& file);

private:
    // The version of the window found last, asked once per look at it.
    std::optional<long> Version();
    PlayingFile EntryThePlayerNames(long position);
    std::optional<std::string> Metadata(const PlayingFile& file, const char* field, bool wide);
    // Which of the two requests this version answers; none without a version.
    struct MetadataRequests {
        bool wide = false;
        bool code_page = false;
    };
    MetadataRequests AnsweredMetadata();

    PlayerPort& port_;
    const CodePage& code_page_;
    std::optional<std::optional<long>> version_;
};

}  // namespace sq
