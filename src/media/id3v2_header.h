#pragma once
// The 10 bytes that open an ID3v2 tag: "ID3", the major version, the revision, the flags, and the
// size of the tag after these 10 bytes in four bytes. The format stores the size 7 bits to a byte
// (bit 7 always 0, so no byte of it looks like a frame sync); clsMP3 has always read each byte
// whole, and what it reads of a tag whose size bytes break the format is its own behaviour.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>

namespace sq {

struct Id3v2Header {
    static constexpr std::size_t kSize = 10;

    std::array<unsigned char, 3> mark{};
    std::uint8_t version = 0;
    std::uint8_t revision = 0;
    std::uint8_t flags = 0;
    std::array<unsigned char, 4> size{};

    // From the first kSize of the `count` bytes at `bytes`; nothing when there are fewer.
    static std::optional<Id3v2Header> Parse(const unsigned char* bytes, std::size_t count) noexcept {
        if (count < kSize) return std::nullopt;
        Id3v2Header header;
        std::memcpy(header.mark.data(), bytes, header.mark.size());
        header.version = bytes[3];
        header.revision = bytes[4];
        header.flags = bytes[5];
        std::memcpy(header.size.data(), bytes + 6, header.size.size());
        return header;
    }

    bool HasFullMark() const noexcept { return mark[0] == 'I' && mark[1] == 'D' && mark[2] == '3'; }

    // The size as the format writes it.
    std::uint64_t SynchsafeSize() const noexcept { return SizeFrom(0x7F); }
    // The size as clsMP3 reads it.
    std::uint64_t WholeByteSize() const noexcept { return SizeFrom(0xFF); }

private:
    // Each byte is worth 128 times the next, whichever of its bits are taken.
    std::uint64_t SizeFrom(unsigned char bits) const noexcept {
        std::uint64_t total = 0;
        for (const unsigned char byte : size) total = total * 128 + (byte & bits);
        return total;
    }
};

}  // namespace sq
