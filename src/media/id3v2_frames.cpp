#include "media/id3v2_frames.h"

#include <cstring>

#include "media/cls_mp3_error.h"

namespace sq {
namespace {

struct VersionLayout {
    std::array<std::string_view, kFrameKindCount> ids;
    std::size_t size_byte;
    std::size_t text;
};

// Version 2 has no frame flags; its track number is in "TRK".
constexpr VersionLayout kVersion2{{"TT2", "TAL", "TOA", "TYE", "TCO", "TRK"}, 5, 7};
constexpr VersionLayout kVersion3{{"TIT2", "TALB", "TPE1", "TYER", "TCON", "TRCK"}, 7, 11};
constexpr std::size_t kVersion3FlagsByte = 9;
constexpr unsigned char kCompressedOrEncrypted = 0x80 | 0x40;
constexpr std::size_t kLargest16BitPosition = 32767;

const VersionLayout& Layout(std::uint8_t version) { return version == 2 ? kVersion2 : kVersion3; }

}  // namespace

std::size_t FindMissingFrameIdentifiers(std::string_view part, std::size_t part_at, std::uint8_t version,
                                        FirstOccurrences& found) {
    // Every identifier starts with 'T', so one memchr walk finds the first occurrence of all.
    const VersionLayout& layout = Layout(version);
    std::size_t missing = 0;
    for (const auto& at : found) missing += !at;
    const char* const data = part.data();
    std::size_t i = 0;
    while (missing > 0 && i < part.size()) {
        const void* hit = std::memchr(data + i, 'T', part.size() - i);
        if (!hit) break;
        const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
        const std::string_view rest = part.substr(at);
        for (std::size_t kind = 0; kind < kFrameKindCount; ++kind) {
            if (!found[kind] && rest.substr(0, layout.ids[kind].size()) == layout.ids[kind]) {
                found[kind] = part_at + at;
                --missing;
            }
        }
        i = at + 1;
    }
    return missing;
}

std::size_t FrameReach(std::uint8_t version) { return Layout(version).text + 255; }

std::optional<std::string> FrameText(std::string_view body, std::uint8_t version, std::size_t at) {
    const VersionLayout& layout = Layout(version);
    // Positions count from 1 in a signed 16-bit number.
    const std::size_t position = at + 1;
    if (position > kLargest16BitPosition) RaiseCause(cause::kOverflow);
    if (version == 3 && position + kVersion3FlagsByte > kLargest16BitPosition) RaiseCause(cause::kOverflow);

    const std::size_t size_byte = at + layout.size_byte;
    if (size_byte >= body.size()) RaiseCause(cause::kInvalidArgument);
    const int length = static_cast<unsigned char>(body[size_byte]) - 1;
    if (version == 3) {
        const std::size_t flags_byte = at + kVersion3FlagsByte;
        if (flags_byte >= body.size()) RaiseCause(cause::kInvalidArgument);
        if (static_cast<unsigned char>(body[flags_byte]) & kCompressedOrEncrypted) return std::nullopt;
    }
    if (length < 0) RaiseCause(cause::kInvalidArgument);
    const std::size_t text = at + layout.text;
    if (text >= body.size()) return std::string();
    return std::string(body.substr(text, static_cast<std::size_t>(length)));
}

std::string ReduceGenreText(const std::string& text) {
    if (text.empty() || text[0] != '(') return text;
    const std::size_t close = text.find(')');
    if (close == std::string::npos) return text;
    return text.substr(close + 1);
}

}  // namespace sq
