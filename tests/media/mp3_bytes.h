#pragma once
// Byte builders for the clsMP3 tests: every file is made here, byte by byte.
#include <cstdint>
#include <string>
#include <vector>

#include "media/frame_header.h"

namespace sqtest {

std::string Bytes(std::initializer_list<int> values);
std::string Filler(std::size_t count, char byte = '\0');

// The header's four bytes: the sync bits, then each field where the header carries it (the bits
// the reader has no field for are 0). A default header is FF FB 90 00.
std::string HeaderBytes(const sq::FrameHeader& header);

// A first frame of `size` bytes; a Xing frame has "Xing" at 36 and the count at 44.
std::string Frame(const sq::FrameHeader& header, std::size_t size = 417);
std::string XingFrame(const sq::FrameHeader& header, std::uint32_t frame_count, std::size_t size = 417);

// The 128-byte ID3v1 block; each field is padded with `pad` to its full width.
struct Id3v1 {
    std::string title, artist, album, year, comment;
    int genre = 255;
    char pad = '\0';
    std::string Encode() const;
};

// An ID3v2 frame: identifier, size field, flags (version 3) and the text with its encoding byte.
std::string V3Frame(const std::string& id, const std::string& text, int flags2 = 0);
std::string V3FrameWithSize(const std::string& id, std::uint32_t size, const std::string& payload, int flags2 = 0);
std::string V2Frame(const std::string& id, const std::string& text);

// "ID3", version, revision 0, flags 0, the size as four whole bytes, then the body.
std::string Id3v2Tag(int version, const std::string& body);
std::string Id3v2Header(int version, std::uint64_t size);

}  // namespace sqtest
