#pragma once
// Which artist and track a report carries: a stream's as the tick that ended the countdown read
// them; a file's from its own tags, else from what the player knows of it; else the player's
// title and "No_Artist". In the code page, as the request carries them.
#include "common/code_page.h"
#include "common/failure_trace.h"
#include "common/played_song.h"
#include "player/winamp_mod.h"
#include "submit/submission_ports.h"

namespace sq {

// A file's own artist and title, as clsMP3 reads its tags: in the code page, the tag's bytes as
// they stand.
class FileTags {
public:
    virtual ~FileTags() = default;
    // A failed read is not reported: the result then holds what the reader had set before the
    // failure (normally nothing).
    virtual ArtistAndTrack Read(const PlayingFile& file) = 0;
};

class SongIdentityRule final : public SongIdentity {
public:
    SongIdentityRule(FileTags& file_tags, WinAmpMod& player, const CodePage& code_page, FailureTrace& failures)
        : file_tags_(file_tags), player_(player), code_page_(code_page), failures_(failures) {}

    // Each step that fails is skipped, as if it had given nothing.
    ArtistAndTrack Identify(const PlayedSong& song) override;

private:
    FileTags& file_tags_;
    WinAmpMod& player_;
    const CodePage& code_page_;
    FailureTrace& failures_;
};

}  // namespace sq
