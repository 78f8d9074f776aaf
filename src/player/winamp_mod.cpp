#include "player/winamp_mod.h"

#include "player/song_title.h"

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

std::optional<long> WinAmpMod::Version() {
    if (!version_) version_ = port_.Ask(winamp::kVersion);
    return *version_;
}

bool WinAmpMod::NamesMetadata() { return AnsweredMetadata().code_page; }

PlayingFile WinAmpMod::GetPlayingFile(PlaylistWrite write) {
    // Right even when the playing entry was deleted or moved, or the list cleared.
    std::string playing = port_.AskWideText(winamp::kWidePlayingFile);
    if (!playing.empty()) return PlayingFileFromUtf8(code_page_, std::move(playing));

    // A version before the position request answers it with 1, as every request it lacks.
    const std::optional<long> version = Version();
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

WinAmpMod::MetadataRequests WinAmpMod::AnsweredMetadata() {
    // A version without the wide request answers it with 1, as if it had answered an empty text.
    const std::optional<long> version = Version();
    if (!version) return {};
    return {*version >= winamp::kFirstVersionWithWideMetadata, *version >= winamp::kFirstVersionWithMetadata};
}

std::optional<std::string> WinAmpMod::GetMetadata(const PlayingFile& file, const char* field) {
    if (file.empty()) return std::nullopt;
    const MetadataRequests answered = AnsweredMetadata();
    std::optional<std::string> wide;
    if (answered.wide) wide = Metadata(file, field, true);
    if (wide && !wide->empty()) return wide;
    std::optional<std::string> code_page;
    if (answered.code_page) code_page = Metadata(file, field, false);
    return code_page ? code_page : wide;
}

ArtistAndTrack WinAmpMod::GetPlayerTags(const PlayingFile& file) {
    if (file.empty()) return {};
    const MetadataRequests answered = AnsweredMetadata();
    for (const bool wide : {true, false}) {
        if (!(wide ? answered.wide : answered.code_page)) continue;
        ArtistAndTrack tags{Metadata(file, "artist", wide).value_or(""), Metadata(file, "title", wide).value_or("")};
        if (tags.Complete()) return tags;
    }
    return {};
}

std::optional<std::string> WinAmpMod::Metadata(const PlayingFile& file, const char* field, bool wide) {
    if (wide) {
        const std::string name = file.utf8_path.empty() ? code_page_.ToUtf8(file.path) : file.utf8_path;
        return port_.AskWideMetadata(name, field);
    }
    const std::optional<std::string> answer = port_.AskCodePageMetadata(file.path, field);
    if (!answer) return std::nullopt;
    return code_page_.ToUtf8(*answer);
}

}  // namespace sq
