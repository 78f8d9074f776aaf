#include "report/play_tracker.h"

namespace sq {
namespace {

// A play that starts again is seen within its first seconds, a timer tick that comes late
// included; a seek back to a later point, or a tag written further in, is not a new start.
constexpr long kNearStartMs = 5000;
// The position may step back a little as the output's buffer is reopened.
constexpr long kSlackMs = 1000;
// Ticks a reopened file may read position 0 before it is taken for the same play: a position
// that never moves tells nothing, and a slow drive may take seconds to spin up.
constexpr int kMostReopeningTicks = 10;

bool SameFile(const PlayingFile& a, const PlayingFile& b) {
    if (!a.utf8_path.empty() && !b.utf8_path.empty()) return a.utf8_path == b.utf8_path;
    return a.path == b.path;
}

}  // namespace

std::optional<PlayTracker::Play> PlayTracker::See(const std::string& title, const PlayingFile& file,
                                                  std::optional<long> position_ms, bool by_title) {
    const long position = position_ms.value_or(-1);
    if (!current_) return Start(title, file, position, by_title);
    // Another file is another song, whatever its title. A station's position runs from its
    // connection, whatever song it sends: its title tells its song.
    const bool files_known = !file.empty() && !current_->file.empty();
    if (files_known && !SameFile(file, current_->file)) return Start(title, file, position, by_title);
    const bool by_title_alone = by_title || current_->by_title || position < 0;
    std::optional<bool> goes_on =
        by_title_alone ? std::optional<bool>(title == current_->title) : GoesOn(title, files_known, position);
    if (!goes_on.has_value()) {
        if (reopening_ticks_ < kMostReopeningTicks) {
            ++reopening_ticks_;
            return std::nullopt;
        }
        goes_on = true;
    } else {
        reopening_ticks_ = 0;
    }
    if (!*goes_on) return Start(title, file, position, by_title);
    current_->title = title;
    if (!file.empty()) current_->file = file;
    if (position > 0) current_->position_ms = position;
    return current_->serial;
}

std::optional<bool> PlayTracker::GoesOn(const std::string& title, bool same_file, long position_ms) const {
    if (title == current_->title) {
        const bool went_back = position_ms + kSlackMs < current_->position_ms;
        if (!went_back || position_ms >= kNearStartMs) return true;
    } else {
        // Only the same file can go on under another title, and only from where it was.
        if (!same_file) return false;
        if (position_ms >= kNearStartMs) return true;
    }
    if (position_ms == 0) return std::nullopt;
    return false;
}

PlayTracker::Play PlayTracker::Start(const std::string& title, const PlayingFile& file, long position_ms,
                                     bool by_title) {
    reopening_ticks_ = 0;
    current_ = Current{++last_serial_, title, file, position_ms > 0 ? position_ms : -1, by_title};
    return current_->serial;
}

}  // namespace sq
