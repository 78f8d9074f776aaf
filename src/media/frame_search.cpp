#include "media/frame_search.h"

#include "media/id3v2_header.h"
#include "media/read_buffer.h"

#include <algorithm>
#include <cstring>

// The shipped 32-bit build is made for processors older than SSE2: the vector scans are
// compiled for their instruction sets alone and chosen at run time.
#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
#include <immintrin.h>
#define SQ_FRAME_SEARCH_X86 1
#endif

namespace sq {
namespace {

// Copying the file into the buffer is most of the cost, so reads stop soon after the place
// where the audio most likely starts: the first read holds a short tag and the frame after
// it; a longer tag is read to its end and a little past it, in reads that fit the processor's
// cache and the heap's free blocks (a fresh block from the system costs a page fault per page).
// A search that goes on past that is a long one: each read is then twice the one before, up to
// a size at which the system calls no longer count.
constexpr std::size_t kFirstRead = std::size_t{4} * 1024;
constexpr std::size_t kPastTag = std::size_t{4} * 1024;
constexpr std::size_t kTagRead = std::size_t{64} * 1024;
constexpr std::size_t kLargestRead = std::size_t{256} * 1024;

bool IsAcceptedSecondByte(unsigned char b) { return b == 0xFA || b == 0xFB; }

#if defined(SQ_FRAME_SEARCH_X86)
// Audio data holds a 0xFF every few hundred bytes, so a memchr restarted at each one would spend
// its time starting over. These compare whole vectors instead: a byte equal to 0xFF whose
// successor, with its lowest bit cleared, is 0xFA. Each advances `i` while it finds nothing.

__attribute__((target("sse2"))) bool FindPairSse2(const unsigned char* buf, std::size_t count, std::size_t& i) {
    const __m128i all_ff = _mm_set1_epi8(static_cast<char>(0xFF));
    const __m128i low_bit_clear = _mm_set1_epi8(static_cast<char>(0xFE));
    const __m128i second = _mm_set1_epi8(static_cast<char>(0xFA));
    for (; i + 17 <= count; i += 16) {
        const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(buf + i));
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(buf + i + 1));
        const __m128i pairs = _mm_and_si128(_mm_cmpeq_epi8(first, all_ff),
                                            _mm_cmpeq_epi8(_mm_and_si128(next, low_bit_clear), second));
        if (const int mask = _mm_movemask_epi8(pairs)) {
            i += static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
            return true;
        }
    }
    return false;
}

// A cheap filter first: first & (next | 1) equals 0xFB for every accepted pair (and for a few
// other byte pairs, which the exact test then drops).
__attribute__((target("avx2"))) __m256i CandidatesAvx2(const unsigned char* at) {
    const __m256i first = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
    const __m256i next = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + 1));
    const __m256i folded = _mm256_and_si256(first, _mm256_or_si256(next, _mm256_set1_epi8(1)));
    return _mm256_cmpeq_epi8(folded, _mm256_set1_epi8(static_cast<char>(0xFB)));
}

__attribute__((target("avx2"))) bool FindPairAvx2(const unsigned char* buf, std::size_t count, std::size_t& i) {
    for (; i + 129 <= count; i += 128) {
        const __m256i c0 = CandidatesAvx2(buf + i);
        const __m256i c1 = CandidatesAvx2(buf + i + 32);
        const __m256i c2 = CandidatesAvx2(buf + i + 64);
        const __m256i c3 = CandidatesAvx2(buf + i + 96);
        const __m256i any = _mm256_or_si256(_mm256_or_si256(c0, c1), _mm256_or_si256(c2, c3));
        if (_mm256_testz_si256(any, any)) continue;
        for (std::size_t k = i; k < i + 128; ++k) {
            if (buf[k] == 0xFF && IsAcceptedSecondByte(buf[k + 1])) {
                i = k;
                return true;
            }
        }
    }
    return false;
}

#endif

// The first index i < count - 1 with buf[i] == 0xFF and an accepted buf[i + 1], or count.
std::size_t FindPair(PairScan scan, const unsigned char* buf, std::size_t count) {
    std::size_t i = 0;
#if defined(SQ_FRAME_SEARCH_X86)
    if (scan == PairScan::Avx2 && FindPairAvx2(buf, count, i)) return i;
    if (scan != PairScan::Bytes && FindPairSse2(buf, count, i)) return i;
#else
    static_cast<void>(scan);
#endif
    while (i + 1 < count) {
        const void* hit = std::memchr(buf + i, 0xFF, count - 1 - i);
        if (!hit) break;
        const std::size_t at = static_cast<std::size_t>(static_cast<const unsigned char*>(hit) - buf);
        if (IsAcceptedSecondByte(buf[at + 1])) return at;
        i = at + 1;
    }
    return count;
}

// Where a leading ID3v2 tag, as its header states its size, ends; 0 without one. Only a guess
// of where the audio starts: the scan goes through the tag all the same.
std::uint64_t TagEnd(const unsigned char* first, std::size_t count) {
    const std::optional<Id3v2Header> header = Id3v2Header::Parse(first, count);
    return header && header->HasFullMark() ? Id3v2Header::kSize + header->SynchsafeSize() : 0;
}

}  // namespace

PairScan FastestPairScan() {
#if defined(SQ_FRAME_SEARCH_X86)
    static const PairScan fastest = [] {
        __builtin_cpu_init();
        if (__builtin_cpu_supports("avx2")) return PairScan::Avx2;
        if (__builtin_cpu_supports("sse2")) return PairScan::Sse2;
        return PairScan::Bytes;
    }();
    return fastest;
#else
    return PairScan::Bytes;
#endif
}

std::optional<FirstFrame> FindFirstFrame(ByteFile& file, std::uint64_t length, PairScan scan) {
    scan = std::min(scan, FastestPairScan());
    // No read is ever larger than the file.
    const std::size_t largest = static_cast<std::size_t>(std::min<std::uint64_t>(length, kLargestRead));
    if (largest < 2) return std::nullopt;
    std::size_t capacity = std::min(largest, kTagRead);
    ReadBuffer storage(capacity);
    std::size_t want = std::min(largest, kFirstRead);
    std::uint64_t audio_guess = 0;

    std::uint64_t position = 0;
    while (position < length) {
        if (want > capacity) {
            capacity = want;
            storage = ReadBuffer(capacity);
        }
        unsigned char* const buffer = storage.For(position);
        const std::size_t got = file.ReadAt(position, buffer, want);
        if (position == 0) audio_guess = TagEnd(buffer, got);
        const std::size_t at = FindPair(scan, buffer, got);
        if (at < got) {
            FirstFrame frame;
            frame.offset = position + at;
            const std::size_t in_buffer = std::min(got - at, FirstFrame::kSize);
            if (in_buffer == FirstFrame::kSize || got < want) {
                std::memcpy(frame.bytes.data(), buffer + at, in_buffer);
            } else {
                file.ReadAt(frame.offset, frame.bytes.data(), FirstFrame::kSize);
            }
            return frame;
        }
        // A short read is the end of the file. Otherwise the last byte is read again as the
        // first of the next buffer, so a pair split across two reads is still found.
        if (got < want || got < 2 || position + got >= length) break;
        position += got - 1;
        std::uint64_t next = std::max<std::uint64_t>(kFirstRead, want * std::uint64_t{2});
        if (audio_guess > 0 && position < audio_guess + kPastTag) {
            next = std::min<std::uint64_t>(kTagRead, std::max<std::uint64_t>(kFirstRead, audio_guess + kPastTag - position));
        }
        want = static_cast<std::size_t>(std::min<std::uint64_t>(largest, next));
    }
    return std::nullopt;
}

}  // namespace sq
