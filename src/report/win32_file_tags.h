#pragma once
// A file's own artist and title, read with clsMP3 from the file on disk.
#include "report/song_identity.h"

namespace sq {

class ClsMP3FileTags final : public FileTags {
public:
    ArtistAndTrack Read(const PlayingFile& file) override;
};

}  // namespace sq
