#include "media/frame_search.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace sq {
namespace {

// Most files start their audio (or a short tag) within the first read; the rest are scanned in
// buffers that stay in the processor's cache while memchr walks them.
constexpr std::size_t kFirstRead = 16 * 1024;
constexpr std::size_t kScanBuffer = 64 * 1024;

bool IsAcceptedSecondByte(unsigned char b) { return b == 0xFA || b == 0xFB; }

// The first index i < count - 1 with buf[i] == 0xFF and an accepted buf[i + 1], or count.
std::size_t FindPair(const unsigned char* buf, std::size_t count) {
    std::size_t i = 0;
    while (i + 1 < count) {
        const void* hit = std::memchr(buf + i, 0xFF, count - 1 - i);
        if (!hit) break;
        const std::size_t at = static_cast<std::size_t>(static_cast<const unsigned char*>(hit) - buf);
        if (IsAcceptedSecondByte(buf[at + 1])) return at;
        i = at + 1;
    }
    return count;
}

}  // namespace

std::optional<FirstFrame> FindFirstFrame(ByteFile& file, std::uint64_t length) {
    const std::size_t capacity = static_cast<std::size_t>(std::min<std::uint64_t>(length, kScanBuffer));
    if (capacity < 2) return std::nullopt;
    std::unique_ptr<unsigned char[]> buffer(new unsigned char[capacity]);

    std::uint64_t position = 0;
    std::size_t want = std::min(capacity, kFirstRead);
    while (position < length) {
        const std::size_t got = file.ReadAt(position, buffer.get(), want);
        const std::size_t at = FindPair(buffer.get(), got);
        if (at < got) {
            FirstFrame frame;
            frame.offset = position + at;
            const std::size_t in_buffer = std::min(got - at, FirstFrame::kSize);
            if (in_buffer == FirstFrame::kSize || got < want) {
                std::memcpy(frame.bytes.data(), buffer.get() + at, in_buffer);
            } else {
                file.ReadAt(frame.offset, frame.bytes.data(), FirstFrame::kSize);
            }
            return frame;
        }
        // A short read is the end of the file. Otherwise the last byte is read again as the
        // first of the next buffer, so a pair split across two reads is still found.
        if (got < want || got < 2 || position + got >= length) break;
        position += got - 1;
        want = capacity;
    }
    return std::nullopt;
}

}  // namespace sq
