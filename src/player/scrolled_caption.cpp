#include "player/scrolled_caption.h"

#include <string_view>

namespace sq {
namespace {

constexpr std::string_view kJoin = " *** ";

bool EndsWith(const std::string& text, std::string_view end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

std::string UnscrolledCaption(const std::string& caption) {
    // " *** C *** ", "*** C *** ", "** C *** ": the caption between the leading stars and the
    // trailing join.
    if (EndsWith(caption, kJoin)) {
        for (std::size_t skipped = 0; skipped < 3; ++skipped) {
            const std::size_t lead = kJoin.size() - skipped;
            if (caption.size() > lead + kJoin.size() && caption.compare(0, lead, kJoin, skipped, lead) == 0) {
                return caption.substr(lead, caption.size() - lead - kJoin.size());
            }
        }
    }
    // "C from p, *** , C": the first join after which the whole caption ends with the piece before
    // it. The piece is never empty and never longer than the caption it was cut from.
    for (std::size_t at = caption.find(kJoin); at != std::string::npos; at = caption.find(kJoin, at + 1)) {
        const std::size_t whole = caption.size() - at - kJoin.size();
        if (at > 0 && at <= whole && caption.compare(caption.size() - at, at, caption, 0, at) == 0) {
            return caption.substr(at + kJoin.size());
        }
    }
    return caption;
}

}  // namespace sq
