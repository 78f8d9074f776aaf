#include "report/play_watch.h"

#include "common/letter_case.h"
#include "report/stream_title.h"

namespace sq {

PlayerReading PlayWatch::Look(std::uint32_t now_ms, const std::string& reported) {
    PlayerReading reading;
    if (player_.FindWinAmp()) {
        reading.state = player_.GetPlayState();
        reading.title = player_.GetSongTitle();
    }
    // A steady title costs no more than it did before the holds: most ticks are such ticks.
    const bool no_title = reading.state == PlayState::kPlaying && reading.title.empty();
    if (reading.state != PlayState::kPlaying || reading.title == reported || no_title) {
        pace_.Forget();
        title_look_.reset();
        if (no_title) reading.hold = Hold::kEmptyTitle;
        return reading;
    }
    const std::optional<long> position = player_.GetPlayPosition();
    reading.hold = HeardHold(position, now_ms);
    if (!title_look_ || title_look_->title != reading.title) {
        PlayingFile file = player_.GetPlayingFile(WinAmpMod::PlaylistWrite::kNever);
        StreamSong stream = file.IsStream() ? LookAtStream(reading.title, file) : StreamSong{Hold::kNone, false, {}};
        title_look_ = TitleLook{reading.title, std::move(file), std::move(stream)};
    }
    if (reading.hold == Hold::kNone) reading.hold = title_look_->stream.hold;
    // A tick that does not count never changes which song is counted.
    if (reading.hold != Hold::kNone) return reading;
    const std::optional<PlayTracker::Play> play =
        plays_.See(reading.title, title_look_->file, position, title_look_->stream.by_title);
    if (play) {
        reading.play = *play;
    } else {
        reading.hold = Hold::kReopening;
    }
    return reading;
}

// Asked on every tick that counts a new title down, so that the position's run is never broken
// while it matters.
Hold PlayWatch::HeardHold(std::optional<long> position_ms, std::uint32_t now_ms) {
    const std::string output = player_.GetOutputPlugin();
    const bool heard = pace_.KeepsToClock(position_ms, now_ms);
    if (LowerCase(output) == winamp::kDiskWriter || !heard) return Hold::kNotAtClockSpeed;
    if (player_.IsPlayingVideo()) return Hold::kVideo;
    return Hold::kNone;
}

// On the first tick of a title only. The inputs name a stream's song in three ways: the MP3 input
// answers a station's in-band title as its "streamtitle", and a file over HTTP by the tag it has
// read ("streamtype" 1, with an empty "streamtitle"); another input (Ogg, MP4) answers nothing and
// titles each song of a station itself, "ARTIST - TITLE".
PlayWatch::StreamSong PlayWatch::LookAtStream(const std::string& title, const PlayingFile& file) {
    if (IsStreamStatusTitle(title)) return {Hold::kStreamStatus, true, {}};
    // A player that knows no stream title has its station's name counted, as it always had.
    if (!player_.NamesMetadata()) return {};
    const std::optional<std::string> stream_title = player_.GetMetadata(file, "streamtitle");
    if (!stream_title) {
        ArtistAndTrack names = SplitStreamTitle(title);
        if (!names.Complete()) return {Hold::kNoStreamTitle, true, {}};
        return {Hold::kNone, true, std::move(names)};
    }
    if (!stream_title->empty()) return {Hold::kNone, true, SplitStreamTitle(*stream_title)};
    if (player_.GetMetadata(file, "streamtype") == std::optional<std::string>("1")) {
        ArtistAndTrack tags = player_.GetPlayerTags(file);
        if (tags.Complete()) return {Hold::kNone, false, std::move(tags)};
    }
    return {Hold::kNoStreamTitle, true, {}};
}

PlayedSong PlayWatch::SongToReport(const PlayerReading& reading) {
    PlayedSong song{reading.title, player_.GetPlayingFile(), {}};
    if (!song.file.IsStream()) return song;
    // The look of this title found the names, unless the tick that counted was not looked at.
    const bool looked = title_look_ && title_look_->title == reading.title;
    song.stream = looked ? title_look_->stream.names : LookAtStream(reading.title, song.file).names;
    return song;
}

}  // namespace sq
