#pragma once
// The player's main window caption: "N. Title - Winamp", without "N. " when the playlist number
// option is off, the decoder's status before a stream's title, and on 5.x " [Paused]" or
// " [Stopped]" after it; the player's own name while nothing has played since it started. With
// "Scroll title in the Windows taskbar" on, the window shows rotated copies of it instead.
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

// How many rotated forms a caption of `length` characters runs through before it starts again.
constexpr std::size_t ScrollForms(std::size_t length) { return length + 3; }

// The form the taskbar scroll shows at `step` (counted from the caption's first showing, taken
// modulo ScrollForms): the caption from character `step` on, " *** " and the whole caption; after
// the last character " *** C *** ", "*** C *** " and "** C *** ". 5.x rotates its wide caption,
// 2.x the same rule over its caption in the code page, byte by byte.
std::wstring ScrolledCaption(const std::wstring& caption, std::size_t step);
std::string ScrolledCaption(const std::string& caption, std::size_t step);

}  // namespace sim
