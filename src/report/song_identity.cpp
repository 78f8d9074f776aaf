#include "report/song_identity.h"

#include "report/tag_text.h"

namespace sq {
namespace {

constexpr char kNoArtist[] = "No_Artist";

}  // namespace

ArtistAndTrack SongIdentityRule::Identify(const PlayedSong& song) {
    ArtistAndTrack tags;
    if (song.file.IsStream()) {
        tags.track = OrEmpty(failures_, [&] { return code_page_.FromUtf8(song.stream.track); });
        tags.artist = OrEmpty(failures_, [&] { return code_page_.FromUtf8(song.stream.artist); });
        if (tags.artist.empty()) tags.artist = kNoArtist;
    } else {
        tags = OrEmpty(failures_, [&] { return file_tags_.Read(song.file); });
        tags.track = OrEmpty(failures_, [&] { return TagTextForService(tags.track, code_page_); });
        tags.artist = OrEmpty(failures_, [&] { return TagTextForService(tags.artist, code_page_); });
        if (!tags.Complete()) {
            const ArtistAndTrack known = OrEmpty(failures_, [&] { return player_.GetPlayerTags(song.file); });
            tags.track = OrEmpty(failures_, [&] { return code_page_.FromUtf8(known.track); });
            tags.artist = OrEmpty(failures_, [&] { return code_page_.FromUtf8(known.artist); });
        }
    }
    if (!tags.Complete()) {
        tags.track = OrEmpty(failures_, [&] { return code_page_.FromUtf8(song.title); });
        tags.artist = kNoArtist;
    }
    return tags;
}

}  // namespace sq
