#include "media/frame_search.h"

#include <algorithm>
#include <cstring>
#include <memory>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define SQ_FRAME_SEARCH_X86_64 1
#endif

namespace sq {
namespace {

// Most files start their audio (or a short tag) within the first read. Past it each read is
// twice the one before, up to a buffer that still sits in the processor's cache: few system
// calls for a long search, little copying past a cover picture for a short one.
constexpr std::size_t kFirstRead = 16 * 1024;
constexpr std::size_t kLargestRead = 512 * 1024;

bool IsAcceptedSecondByte(unsigned char b) { return b == 0xFA || b == 0xFB; }

#if defined(SQ_FRAME_SEARCH_X86_64)
// Audio data holds a 0xFF every few hundred bytes, so a memchr restarted at each one would spend
// its time starting over. These compare whole vectors instead: a byte equal to 0xFF whose
// successor, with its lowest bit cleared, is 0xFA. Each advances `i` while it finds nothing.

bool FindPairSse2(const unsigned char* buf, std::size_t count, std::size_t& i) {
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

bool HasAvx2() {
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return has;
}
#endif

// The first index i < count - 1 with buf[i] == 0xFF and an accepted buf[i + 1], or count.
std::size_t FindPair(const unsigned char* buf, std::size_t count) {
    std::size_t i = 0;
#if defined(SQ_FRAME_SEARCH_X86_64)
    if (HasAvx2() && FindPairAvx2(buf, count, i)) return i;
    if (FindPairSse2(buf, count, i)) return i;
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

}  // namespace

std::optional<FirstFrame> FindFirstFrame(ByteFile& file, std::uint64_t length) {
    // No buffer is ever larger than the file.
    const std::size_t largest = static_cast<std::size_t>(std::min<std::uint64_t>(length, kLargestRead));
    if (largest < 2) return std::nullopt;
    std::size_t want = std::min(largest, kFirstRead);
    std::unique_ptr<unsigned char[]> buffer(new unsigned char[want]);
    std::size_t capacity = want;

    std::uint64_t position = 0;
    while (position < length) {
        if (want > capacity) {
            buffer.reset();
            buffer.reset(new unsigned char[want]);
            capacity = want;
        }
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
        want = std::min(largest, want * 2);
    }
    return std::nullopt;
}

}  // namespace sq
