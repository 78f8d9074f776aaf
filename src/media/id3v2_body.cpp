#include "media/id3v2_body.h"

#include <algorithm>
#include <cstring>

namespace sq {
namespace {

constexpr std::size_t kSearchRead = 64 * 1024;
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
    std::size_t missing = FindMissingFrameIdentifiers(start, 0, version, body.found);
    body.bytes = start;
    if (start.size() == size || AllFoundWithin(body.found, start.size(), version)) return body;

    body.storage.reset(new char[held]);
    std::memcpy(body.storage.get(), start.data(), start.size());
    const std::size_t got = file.ReadAt(offset + start.size(), body.storage.get() + start.size(), held - start.size());
    body.bytes = std::string_view(body.storage.get(), start.size() + got);
    const std::size_t from = start.size() - std::min(start.size(), kOverlap);
    missing = FindMissingFrameIdentifiers(body.bytes.substr(from), from, version, body.found);
    // A short read is where the file, and with it the body, ends.
    if (body.bytes.size() < held) return body;

    std::unique_ptr<char[]> buffer;
    for (std::size_t searched = held; missing > 0 && searched < size;) {
        if (!buffer) buffer.reset(new char[kSearchRead]);
        const std::size_t at = searched - kOverlap;
        const std::size_t want = std::min(kSearchRead, size - at);
        const std::size_t part = file.ReadAt(offset + at, buffer.get(), want);
        missing = FindMissingFrameIdentifiers(std::string_view(buffer.get(), part), at, version, body.found);
        if (part < want) break;
        searched = at + part;
    }
    return body;
}

}  // namespace sq
