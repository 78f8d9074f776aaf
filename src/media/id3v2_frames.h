#pragma once
// Frame lookup in an ID3v2.2/2.3 tag body, the player's way: each identifier is found by a
// plain text search of the whole body (frame headers are not walked), and only the low byte
// of a frame's size is used.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sq {

// The frame kinds in the order they are looked up.
enum class FrameKind { Songname, Album, Artist, Year, Genre, Track };
constexpr std::size_t kFrameKindCount = 6;

// Where each kind's identifier first occurs in the body (0-based).
using FirstOccurrences = std::array<std::optional<std::size_t>, kFrameKindCount>;

// The search over a body read in parts: fills each kind still missing from `found` with
// its first occurrence in `part`, which begins `part_at` bytes into the body. Parts searched in
// order, each overlapping the one before by kLongestFrameIdentifier - 1 bytes, give the
// first occurrences in the whole body. Returns how many kinds are still missing.
constexpr std::size_t kLongestFrameIdentifier = 4;
std::size_t FindMissingFrameIdentifiers(std::string_view part, std::size_t part_at, std::uint8_t version,
                                        FirstOccurrences& found);

// The body bytes past `at` that FrameText may look at: the size and flags bytes and the text.
std::size_t FrameReach(std::uint8_t version);

// The text of the frame whose identifier starts at `at`, or nothing when a version 3 frame is
// compressed or encrypted. Throws ClsMP3Error 6 for a position past the 16-bit range and 5
// for a size or flags byte past the body's end or a size byte of 0.
std::optional<std::string> FrameText(std::string_view body, std::uint8_t version, std::size_t at);

// A genre frame's text as the genre: "(17)Rock" gives "Rock", "(17)" empty text; a text
// without a leading "(" (or without any ")") stays as it is.
std::string ReduceGenreText(const std::string& text);

}  // namespace sq
