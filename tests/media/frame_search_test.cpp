// The frame sync search against the rule written plainly: the first 0xFF followed by 0xFA or
// 0xFB, wherever it lies relative to vector blocks and buffer refills, with every scan the
// processor runs (the Windows build runs these under Wine as well).
#include <gtest/gtest.h>

#include <random>

#include "media/frame_search.h"
#include "media/memory_file.h"

namespace {

std::optional<std::size_t> FirstPairByteByByte(const std::string& bytes) {
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
        const unsigned char a = static_cast<unsigned char>(bytes[i]);
        const unsigned char b = static_cast<unsigned char>(bytes[i + 1]);
        if (a == 0xFF && (b == 0xFA || b == 0xFB)) return i;
    }
    return std::nullopt;
}

class FrameSearchScan : public ::testing::TestWithParam<sq::PairScan> {
protected:
    void SetUp() override {
        if (GetParam() > sq::FastestPairScan()) GTEST_SKIP() << "the processor lacks this scan";
    }
    std::optional<std::size_t> Found(const std::string& bytes) const;
};

std::optional<std::size_t> FrameSearchScan::Found(const std::string& bytes) const {
    sqtest::MemoryFileOpener files;
    files.Add("f", bytes);
    auto file = files.OpenRead("f");
    const auto frame = sq::FindFirstFrame(*file, file->Length(), GetParam());
    if (!frame) return std::nullopt;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(frame->bytes.data()), 2), bytes.substr(frame->offset, 2));
    return static_cast<std::size_t>(frame->offset);
}

// Decoys: every byte pair that shares most bits with an accepted one.
std::string Decoys(std::size_t size, std::mt19937& random) {
    const unsigned char near[] = {0xFF, 0xFE, 0xFB, 0xFA, 0xF9, 0xF8, 0xFC, 0xFD, 0x7F, 0xF3, 0xE3, 0xBB, 0x00};
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(near[random() % sizeof(near)]);
    // Break every accepted pair the draw made.
    for (std::size_t i = 0; i + 1 < size; ++i) {
        if (static_cast<unsigned char>(bytes[i]) == 0xFF && (static_cast<unsigned char>(bytes[i + 1]) & 0xFE) == 0xFA) {
            bytes[i + 1] = static_cast<char>(0xFC);
        }
    }
    return bytes;
}

TEST_P(FrameSearchScan, EveryPositionInSmallFiles) {
    std::mt19937 random(1234);
    for (std::size_t size : {2u, 3u, 17u, 31u, 64u, 65u, 128u, 129u, 130u, 257u, 300u}) {
        const std::string decoys = Decoys(size, random);
        ASSERT_EQ(Found(decoys), std::nullopt) << size;
        for (std::size_t at = 0; at + 1 < size; ++at) {
            for (int second : {0xFA, 0xFB}) {
                std::string bytes = decoys;
                bytes[at] = static_cast<char>(0xFF);
                bytes[at + 1] = static_cast<char>(second);
                ASSERT_EQ(Found(bytes), FirstPairByteByByte(bytes)) << "size " << size << " pair at " << at;
            }
        }
    }
}

TEST_P(FrameSearchScan, RandomFilesAgreeWithTheByteByByteRule) {
    std::mt19937 random(99);
    for (int round = 0; round < 60; ++round) {
        const std::size_t size = 2 + random() % 300000;
        std::string bytes(size, '\0');
        for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
        // Mostly 0xFF runs and near misses in some rounds, plain random bytes in others.
        if (round % 2 == 0) bytes = Decoys(size, random);
        if (round % 3 == 0) {
            const std::size_t at = random() % (size - 1);
            bytes[at] = static_cast<char>(0xFF);
            bytes[at + 1] = static_cast<char>(0xFA | (random() & 1));
        }
        ASSERT_EQ(Found(bytes), FirstPairByteByByte(bytes)) << "round " << round << ", size " << size;
    }
}

TEST_P(FrameSearchScan, AllFfFileHasNoPair) {
    EXPECT_EQ(Found(std::string(1 << 20, '\xFF')), std::nullopt);
    std::string bytes(1 << 20, '\xFF');
    bytes.back() = '\xFB';
    EXPECT_EQ(Found(bytes), bytes.size() - 2);
}

TEST_P(FrameSearchScan, PairInsideOrJustPastALongTag) {
    // Reads follow the tag's stated size; a pair anywhere around its end is still the first.
    std::mt19937 random(7);
    const std::size_t tag_end = 70000;
    for (std::size_t at : {tag_end - 1 - 4096, tag_end - 2, tag_end - 1, tag_end, tag_end + 4094, tag_end + 4095,
                           tag_end + 4096, tag_end + 9000}) {
        std::string bytes = "ID3\x03" + std::string("\0\0\x00\x04\x22\x66", 6) + Decoys(200000, random);
        bytes[at] = static_cast<char>(0xFF);
        bytes[at + 1] = static_cast<char>(0xFB);
        ASSERT_EQ(Found(bytes), FirstPairByteByByte(bytes)) << "pair at " << at;
    }
}

std::string ScanName(const ::testing::TestParamInfo<sq::PairScan>& scan) {
    const char* const names[] = {"Bytes", "Sse2", "Avx2"};
    return names[static_cast<int>(scan.param)];
}

INSTANTIATE_TEST_SUITE_P(EveryScan, FrameSearchScan,
                         ::testing::Values(sq::PairScan::Bytes, sq::PairScan::Sse2, sq::PairScan::Avx2), ScanName);

}  // namespace
