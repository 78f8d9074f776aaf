#include "media/mp3_bytes.h"

#include <stdexcept>

namespace sqtest {

std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) out.push_back(static_cast<char>(v));
    return out;
}

std::string Filler(std::size_t count, char byte) { return std::string(count, byte); }

std::string HeaderBytes(const sq::FrameHeader& h) {
    return Bytes({0xFF, static_cast<int>(0xE0 | h.version << 3 | h.layer << 1 | h.protection_bit),
                  static_cast<int>(h.bit_rate_index << 4 | h.sample_rate_index << 2), static_cast<int>(h.channel_mode << 6)});
}

std::string Frame(const sq::FrameHeader& header, std::size_t size) {
    std::string frame = HeaderBytes(header);
    frame.resize(size, '\0');
    return frame;
}

std::string XingFrame(const sq::FrameHeader& header, std::uint32_t frame_count, std::size_t size) {
    std::string frame = Frame(header, size);
    frame.replace(36, 4, "Xing");
    frame.replace(40, 4, Bytes({0, 0, 0, 0x0F}));
    frame.replace(44, 4, Bytes({static_cast<int>(frame_count >> 24), static_cast<int>((frame_count >> 16) & 0xFF),
                                static_cast<int>((frame_count >> 8) & 0xFF), static_cast<int>(frame_count & 0xFF)}));
    return frame;
}

namespace {
std::string Padded(const std::string& text, std::size_t width, char pad) {
    if (text.size() > width) throw std::invalid_argument("ID3v1 field too long: " + text);
    return text + std::string(width - text.size(), pad);
}
}  // namespace

std::string Id3v1::Encode() const {
    std::string block = "TAG";
    block += Padded(title, 30, pad);
    block += Padded(artist, 30, pad);
    block += Padded(album, 30, pad);
    block += Padded(year, 4, pad);
    block += Padded(comment, 30, pad);
    block.push_back(static_cast<char>(genre));
    return block;
}

std::string V3FrameWithSize(const std::string& id, std::uint32_t size, const std::string& payload, int flags2) {
    std::string frame = id;
    frame += Bytes({static_cast<int>(size >> 24), static_cast<int>((size >> 16) & 0xFF),
                    static_cast<int>((size >> 8) & 0xFF), static_cast<int>(size & 0xFF), 0, flags2});
    return frame + payload;
}

std::string V3Frame(const std::string& id, const std::string& text, int flags2) {
    return V3FrameWithSize(id, static_cast<std::uint32_t>(text.size() + 1), std::string(1, '\0') + text, flags2);
}

std::string V2Frame(const std::string& id, const std::string& text) {
    const std::size_t size = text.size() + 1;
    return id + Bytes({static_cast<int>(size >> 16), static_cast<int>((size >> 8) & 0xFF), static_cast<int>(size & 0xFF)}) +
           std::string(1, '\0') + text;
}

std::string Id3v2Header(int version, std::uint64_t size) {
    return "ID3" + Bytes({version, 0, 0, static_cast<int>((size / 2097152) & 0xFF),
                          static_cast<int>((size / 16384) % 128), static_cast<int>((size / 128) % 128),
                          static_cast<int>(size % 128)});
}

std::string Id3v2Tag(int version, const std::string& body) { return Id3v2Header(version, body.size()) + body; }

}  // namespace sqtest
