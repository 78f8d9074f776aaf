#pragma once
// Which play of which song the player is in: a song counts its own play, so the countdown starts
// again whenever another song starts. Another song has started when another file plays, when the
// same file starts again from its start (played again, the next entry of the same file, a repeat),
// or when a stream sends its next song. A title that changes while the same file plays on (the
// user fixed its tags: the player stops, writes the tag and plays on from where it was) is the
// same play.
#include <cstdint>
#include <optional>
#include <string>

#include "common/played_song.h"

namespace sq {

class PlayTracker {
public:
    // A play's serial: it changes only when another song starts.
    using Play = std::uint32_t;

    // Fed the ticks on which a song is heard: its title, the playing file as the title's first tick
    // found it (empty when the player names none), the position in milliseconds (nothing, or -1,
    // when the player does not say), and whether its songs are told apart by their titles alone (a
    // station, whose position runs from its connection whatever song it sends). Nothing while the
    // same file reads position 0 where only its position can tell a play going on from one
    // starting again: the player reopens a file whose tag it has written, and answers 0 until the
    // file and the output are ready.
    std::optional<Play> See(const std::string& title, const PlayingFile& file, std::optional<long> position_ms,
                            bool by_title);

private:
    // Whether the position shows the play going on (true), starting again (false), or nothing yet.
    // `same_file`: both files known, and the same.
    std::optional<bool> GoesOn(const std::string& title, bool same_file, long position_ms) const;
    Play Start(const std::string& title, const PlayingFile& file, long position_ms, bool by_title);

    struct Current {
        Play serial;
        std::string title;
        PlayingFile file;
        long position_ms;  // where it was last seen moving (never a 0); -1 before
        bool by_title;
    };
    std::optional<Current> current_;
    Play last_serial_ = 0;
    int reopening_ticks_ = 0;
};

}  // namespace sq
