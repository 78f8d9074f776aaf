#include "player/winamp_mod.h"

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

std::string WinAmpMod::GetSongTitle() { return SongTitleFromWindowText(port_.Caption()); }

PlayerReading WinAmpMod::Look() {
    PlayerReading reading;
    if (!FindWinAmp()) return reading;
    reading.state = GetPlayState();
    reading.title = GetSongTitle();
    // Only a title of a status's shape costs a look at the file, and that look writes nothing.
    if (reading.state == PlayState::kPlaying && IsStreamStatusTitle(reading.title)) {
        reading.stream_status = GetPlayingFile(PlaylistWrite::kNever).IsStream();
    }
    return reading;
}

PlayingFile WinAmpMod::GetPlayingFile(PlaylistWrite write) {
    // Right even when the playing entry was deleted or moved, or the list cleared.
    std::string playing = port_.AskWideText(winamp::kWidePlayingFile);
    if (!playing.empty()) return PlayingFileFromUtf8(port_, std::move(playing));

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
    return PlaylistFilesEntry(port_, *written);
}

// Counts the hidden entries (a stream's curtain) that the playlist files leave out; wide first, as
// the code-page answer loses what the code page lacks.
PlayingFile WinAmpMod::EntryThePlayerNames(long position) {
    if (position < 0) return {};
    std::string utf8 = port_.AskWideText(winamp::kWideEntryPath, position);
    if (!utf8.empty()) return PlayingFileFromUtf8(port_, std::move(utf8));
    return PlayingFile{port_.AskCodePageText(winamp::kEntryPath, position), {}};
}

PlayedSong WinAmpMod::SongToReport(const PlayerReading& reading) {
    PlayedSong song{reading.title, GetPlayingFile(), {}};
    if (song.file.IsStream()) {
        song.stream_title = Metadata(song.file, "streamtitle", true);
        if (song.stream_title.empty()) song.stream_title = Metadata(song.file, "streamtitle", false);
    }
    return song;
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
        const std::string name = file.utf8_path.empty() ? port_.Utf8FromCodePage(file.path) : file.utf8_path;
        return port_.AskWideMetadata(name, field);
    }
    return port_.Utf8FromCodePage(port_.AskCodePageMetadata(file.path, field));
}

}  // namespace sq
