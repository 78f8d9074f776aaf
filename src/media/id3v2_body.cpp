#include "media/id3v2_body.h"

#include <algorithm>
#include <cstring>

namespace sq {
namespace {

constexpr std::size_t kSearchRead = std::size_t{64} * 1024;
constexpr std::size_t kOverlap = kLongestFrameIdentifier - 1;

// Every kind found, each with all the bytes its frame may reach among the first `have`.
bool AllFoundWithin(const FirstOccurrences& found, std::size_t have, std::uint8_t version) {
    return std::all_of(found.begin(), found.end(),
                       [&](const auto& at) { return at && *at + FrameReach(version) <= have; });
}

}  // namespace

HeldBody ReadId3v2Body(ByteFile& file, std::uint64_t offset, std::size_t size, std::uint8_t version,
                       std::string_view start) {
    HeldBody body;
    const std::size_t held = std::min(size, kHeldBodyBytes);
    start = start.substr(0, held);
    FindMissingFrameIdentifiers(start, 0, version, body.found);
    body.bytes = start;
    if (start.size() == size || AllFoundWithin(body.found, start.size(), version)) return body;

    char* const kept = reinterpret_cast<char*>(body.storage.emplace(held).For(offset));
    std::memcpy(kept, start.data(), start.size());
    const std::size_t got = file.ReadAt(offset + start.size(), kept + start.size(), held - start.size());
    body.bytes = std::string_view(kept, start.size() + got);
    const std::size_t from = start.size() - std::min(start.size(), kOverlap);
    std::size_t missing = FindMissingFrameIdentifiers(body.bytes.substr(from), from, version, body.found);
    // A short read is where the file, and with it the body, ends.
    if (body.bytes.size() < held) return body;

    std::optional<ReadBuffer> buffer;
    for (std::size_t searched = held; missing > 0 && searched < size;) {
        const std::size_t at = searched - kOverlap;
        const std::size_t want = std::min(kSearchRead, size - at);
        char* const part_bytes = reinterpret_cast<char*>((buffer ? *buffer : buffer.emplace(kSearchRead)).For(offset + at));
        const std::size_t part = file.ReadAt(offset + at, part_bytes, want);
        missing = FindMissingFrameIdentifiers(std::string_view(part_bytes, part), at, version, body.found);
        if (part < want) break;
        searched = at + part;
    }
    return body;
}

}  // namespace sq
