#include "player/winamp_mod.h"

#include "common/letter_case.h"
#include "player/song_title.h"
#include "player/stream_title.h"

namespace sq {

PlayState WinAmpMod::GetPlayState() {
    const std::optional<long> answer = port_.Ask(winamp::kPlayState);
    if (!answer) return PlayState::kNoPlayer;
    if (*answer == winamp::kPlaying) return PlayState::kPlaying;
    if (*answer == winamp::kPaused) return PlayState::kPaused;
    return PlayState::kStopped;
}

std::string WinAmpMod::GetSongTitle() {
    // Never scrolled, and already without the number and the player's name.
    const std::string shown = port_.AskWideText(winamp::kWidePlayingTitle);
    if (!shown.empty()) return SongTitleFromPlayingTitle(shown);
    return SongTitleFromWindowText(port_.Caption());
}

PlayerReading WinAmpMod::Look(std::uint32_t now_ms, const std::string& reported) {
    PlayerReading reading;
    if (FindWinAmp()) {
        reading.state = GetPlayState();
        reading.title = GetSongTitle();
    }
    // A steady title costs no more than it did before the holds: most ticks are such ticks.
    if (reading.state != PlayState::kPlaying || reading.title == reported) {
        pace_.Forget();
        title_look_.reset();
        return reading;
    }
    const std::optional<long> position = port_.Ask(winamp::kPlayPosition);
    reading.hold = HeardHold(position, now_ms);
    if (!title_look_ || title_look_->title != reading.title) {
        PlayingFile file = GetPlayingFile(PlaylistWrite::kNever);
        const Hold hold = StreamHold(reading.title, file);
        title_look_ = TitleLook{reading.title, std::move(file), hold};
    }
    if (reading.hold == Hold::kNone) reading.hold = title_look_->hold;
    // A tick that does not count never changes which song is counted.
    if (reading.hold != Hold::kNone) return reading;
    const std::optional<PlayTracker::Play> play = plays_.See(reading.title, title_look_->file, position);
    if (play) {
        reading.play = *play;
    } else {
        reading.hold = Hold::kReopening;
    }
    return reading;
}

// Asked on every tick that counts a new title down, so that the position's run is never broken
// while it matters.
Hold WinAmpMod::HeardHold(std::optional<long> position_ms, std::uint32_t now_ms) {
    const std::string output = port_.AskCodePageText(winamp::kOutputPlugin);
    const bool heard = pace_.KeepsToClock(position_ms, now_ms);
    if (LowerCase(output) == winamp::kDiskWriter || !heard) return Hold::kNotAtClockSpeed;
    // A version without the request answers 1, which says nothing.
    if (port_.Ask(winamp::kIsPlayingVideo) == winamp::kVideoOpen) return Hold::kVideo;
    return Hold::kNone;
}

// The look at the file writes nothing, on the first tick of a title only.
Hold WinAmpMod::StreamHold(const std::string& title, const PlayingFile& file) {
    if (!file.IsStream()) return Hold::kNone;
    if (IsStreamStatusTitle(title)) return Hold::kStreamStatus;
    // A player that knows no stream title has its station's name counted, as it always had.
    const std::optional<long> version = port_.Ask(winamp::kVersion);
    if (!version || *version < winamp::kFirstVersionWithMetadata) return Hold::kNone;
    return StreamTitle(file).empty() ? Hold::kNoStreamTitle : Hold::kNone;
}

PlayingFile WinAmpMod::GetPlayingFile(PlaylistWrite write) {
    // Right even when the playing entry was deleted or moved, or the list cleared.
    std::string playing = port_.AskWideText(winamp::kWidePlayingFile);
    if (!playing.empty()) return PlayingFileFromUtf8(code_page_, std::move(playing));

    // A version before the position request answers it with 1, as every request it lacks.
    const std::optional<long> version = port_.Ask(winamp::kVersion);
    std::optional<long> position;
    if (version && *version >= winamp::kFirstVersionWithPosition) position = port_.Ask(winamp::kPlaylistPosition);
    if (position) {
        PlayingFile named = EntryThePlayerNames(*position);
        if (!named.empty()) return named;
    }
    // The player writes its whole playlist on this request, on the thread the plug-in shares: the
    // last resort.
    if (write == PlaylistWrite::kNever) return {};
    const std::optional<long> written = port_.Ask(winamp::kWritePlaylist);
    if (!written || *written < 0) return {};
    if (!position) {
        PlayingFile named = EntryThePlayerNames(*written);
        if (!named.empty()) return named;
    }
    return PlaylistFilesEntry(port_, code_page_, *written);
}

// Counts the hidden entries (a stream's curtain) that the playlist files leave out; wide first, as
// the code-page answer loses what the code page lacks.
PlayingFile WinAmpMod::EntryThePlayerNames(long position) {
    if (position < 0) return {};
    std::string utf8 = port_.AskWideText(winamp::kWideEntryPath, position);
    if (!utf8.empty()) return PlayingFileFromUtf8(code_page_, std::move(utf8));
    return PlayingFile{port_.AskCodePageText(winamp::kEntryPath, position), {}};
}

PlayedSong WinAmpMod::SongToReport(const PlayerReading& reading) {
    PlayedSong song{reading.title, GetPlayingFile(), {}};
    if (song.file.IsStream()) song.stream = SplitStreamTitle(StreamTitle(song.file));
    return song;
}

std::string WinAmpMod::StreamTitle(const PlayingFile& stream) {
    std::string title = Metadata(stream, "streamtitle", true);
    return title.empty() ? Metadata(stream, "streamtitle", false) : title;
}

PlayerTags WinAmpMod::GetPlayerTags(const PlayingFile& file) {
    if (file.empty()) return {};
    for (const bool wide : {true, false}) {
        PlayerTags tags{Metadata(file, "artist", wide), Metadata(file, "title", wide)};
        if (!tags.artist.empty() && !tags.title.empty()) return tags;
    }
    return {};
}

std::string WinAmpMod::Metadata(const PlayingFile& file, const char* field, bool wide) {
    if (wide) {
        const std::string name = file.utf8_path.empty() ? code_page_.ToUtf8(file.path) : file.utf8_path;
        return port_.AskWideMetadata(name, field);
    }
    return code_page_.ToUtf8(port_.AskCodePageMetadata(file.path, field));
}

}  // namespace sq
