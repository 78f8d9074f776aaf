#pragma once
// The player's main window caption: "N. Title - Winamp", without "N. " when the playlist number
// option is off, the decoder's status before a stream's title, and on 5.x " [Paused]" or
// " [Stopped]" after it; the player's own name while nothing has played since it started.
#include <cstddef>
#include <string>

#include "profile.h"

namespace sim {

struct CaptionParts {
    bool started;
    std::size_t number;  // the entry's playlist number, from 1
    std::wstring status;
    std::wstring title;
    long play_state;
    bool numbered;
};

std::wstring CaptionOf(const Profile& profile, const CaptionParts& parts);

}  // namespace sim
