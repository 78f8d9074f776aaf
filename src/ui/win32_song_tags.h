#pragma once
// The artist and title a submission run takes from the playing file, read with clsMP3.
#include "submit/submission_ports.h"

namespace sq {

class ClsMP3TagSource final : public TagSource {
public:
    SongTags Read(const PlayingFile& file) override;
};

}  // namespace sq
