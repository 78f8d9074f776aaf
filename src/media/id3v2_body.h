#pragma once
// The part of an ID3v2 tag body that the frame lookup needs, read without holding all of it.
// A frame is taken only when its identifier starts within 16-bit positions, so every byte a
// taken frame reaches lies in the body's first kHeldBodyBytes. Past them the body is only
// searched, through a small buffer, and only while an identifier is still missing: a first
// occurrence there is an overflow the lookup must still report.
#include <cstdint>
#include <optional>
#include <string_view>

#include "media/byte_file.h"
#include "media/id3v2_frames.h"
#include "media/read_buffer.h"

namespace sq {

// The last byte a frame within 16-bit positions reaches is at 32,766 + 7 + 254 (version 2).
constexpr std::size_t kHeldBodyBytes = std::size_t{33} * 1024;

struct HeldBody {
    std::string_view bytes;  // the body's start: all of it, or as much as the found frames reach
    FirstOccurrences found;  // first occurrences in the whole body
    std::optional<ReadBuffer> storage;
};

// Reads the body of `size` bytes at `offset` of `file`. `start` holds the body's first bytes,
// already read (it must outlive the result); the rest is read only as far as needed.
HeldBody ReadId3v2Body(ByteFile& file, std::uint64_t offset, std::size_t size, std::uint8_t version,
                       std::string_view start);

}  // namespace sq
