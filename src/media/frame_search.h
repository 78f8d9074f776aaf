#pragma once
// Finding the first MPEG-1 Layer III frame: the first 0xFF followed by 0xFA or 0xFB,
// searched from the first byte of the file (a leading ID3v2 tag is not skipped).
#include <array>
#include <cstdint>
#include <optional>

#include "media/byte_file.h"

namespace sq {

// The bytes of the first frame that the stream properties come from: the header at 0, a
// "Xing" mark at 36 and its frame count at 44. Bytes past the end of the file read as 0.
struct FirstFrame {
    static constexpr std::size_t kSize = 48;
    std::uint64_t offset = 0;
    std::array<unsigned char, kSize> bytes{};
};

// How the bytes are compared: one at a time, or whole vectors where the processor has them.
// Each one finds the same pair; a later one needs more of the processor.
enum class PairScan { Bytes, Sse2, Avx2 };

// The fastest scan this processor runs, asked once.
PairScan FastestPairScan();

// Scans `file` (of `length` bytes) through a small buffer; nothing when no byte pair matches.
// A scan the processor lacks falls back to the fastest one it has.
std::optional<FirstFrame> FindFirstFrame(ByteFile& file, std::uint64_t length, PairScan scan = FastestPairScan());

}  // namespace sq
