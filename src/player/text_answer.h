#pragma once
// Whether a request's answer is a text the player holds, and how long that text is. The player
// answers such a request with a pointer into its own memory; the plug-in reads it only there.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "player/winamp_requests.h"

namespace sq {

// A version without the request answers 1, and no process maps the lowest 64 kB: an answer there
// is a number, never an address.
inline bool IsTextAnswer(std::uintptr_t answer) { return answer >= winamp::kLowestTextAddress; }

// The length of the text at `text` when it ends within the player's buffer; nothing when no
// terminating zero stands within it, so that nothing beyond the buffer is ever read.
template <typename Char>
std::optional<std::size_t> TextLengthWithinBuffer(const Char* text) {
    for (std::size_t length = 0; length < winamp::kTextBufferCharacters; ++length) {
        if (text[length] == Char()) return length;
    }
    return std::nullopt;
}

}  // namespace sq
