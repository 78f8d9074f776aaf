// The stream properties: first frame search, Xing estimate, tables, duration and failures.
#include <gtest/gtest.h>

#include "media/mp3_bytes.h"
#include "media/read_helpers.h"
#include "media/sparse_file.h"

namespace {

using sqtest::Filler;
using sqtest::Frame;
using sq::FrameHeader;
using sqtest::XingFrame;

std::string Padded(std::string bytes, std::size_t length) {
    bytes.resize(length, '\0');
    return bytes;
}

void ExpectStreamMembersEmpty(const sq::clsMP3& mp3) {
    EXPECT_EQ(mp3.Duration, "");
    EXPECT_EQ(mp3.Frequency, "");
    EXPECT_EQ(mp3.Mode, "");
    EXPECT_EQ(mp3.MpegLayer, "");
    EXPECT_EQ(mp3.MpegVersion, "");
    EXPECT_EQ(mp3.BitRate, "");
    EXPECT_FALSE(mp3.VBR);
}

TEST(FrameHeader, FourMegabyteFileWithAndWithoutXing) {
    sqtest::ReadFixture with_xing;
    auto read = with_xing.Read(Padded(XingFrame(FrameHeader{}, 10000), 4000000));
    ASSERT_FALSE(read.error) << read.error->Description;
    EXPECT_TRUE(read.mp3->VBR);
    EXPECT_EQ(read.mp3->BitRate, "122");
    EXPECT_EQ(read.mp3->Duration, "4m 22s");
    EXPECT_EQ(read.mp3->Frequency, "44100");
    EXPECT_EQ(read.mp3->MpegVersion, "1");
    EXPECT_EQ(read.mp3->MpegLayer, "3");
    EXPECT_EQ(read.mp3->Mode, "stereo");

    sqtest::ReadFixture plain;
    read = plain.Read(Padded(Frame(FrameHeader{}), 4000000));
    ASSERT_FALSE(read.error) << read.error->Description;
    EXPECT_FALSE(read.mp3->VBR);
    EXPECT_EQ(read.mp3->BitRate, "128");
    EXPECT_EQ(read.mp3->Duration, "4m 10s");
}

TEST(FrameHeader, HeaderFieldsThroughTheirTables) {
    const int bit_rates[] = {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
    for (int index = 1; index <= 14; ++index) {
        sqtest::ReadFixture f;
        FrameHeader header;
        header.bit_rate_index = index;
        auto read = f.Read(Padded(Frame(header), 64000));
        ASSERT_FALSE(read.error) << read.error->Description;
        EXPECT_EQ(read.mp3->BitRate, std::to_string(bit_rates[index - 1])) << "index " << index;
    }
    const char* frequencies[] = {"44100", "48000", "32000"};
    for (int index = 0; index < 3; ++index) {
        sqtest::ReadFixture f;
        FrameHeader header;
        header.sample_rate_index = index;
        auto read = f.Read(Padded(Frame(header), 1000));
        ASSERT_FALSE(read.error) << read.error->Description;
        EXPECT_EQ(read.mp3->Frequency, frequencies[index]);
    }
    const char* modes[] = {"stereo", "joint stereo", "dual channel", "single channel"};
    for (int mode = 0; mode < 4; ++mode) {
        sqtest::ReadFixture f;
        FrameHeader header;
        header.channel_mode = mode;
        auto read = f.Read(Padded(Frame(header), 1000));
        ASSERT_FALSE(read.error) << read.error->Description;
        EXPECT_EQ(read.mp3->Mode, modes[mode]);
        EXPECT_EQ(read.mp3->MpegVersion, "1");
        EXPECT_EQ(read.mp3->MpegLayer, "3");
    }
}

TEST(FrameHeader, DurationIsWholeMinutesAndSecondsFromTheWholeLength) {
    // At 128 kbit/s one second is 16,000 bytes.
    const struct {
        std::uint64_t length;
        const char* duration;
    } rows[] = {
        {256, "0m 0s"},           {15999, "0m 0s"},         {16000, "0m 1s"},       {59 * 16000, "0m 59s"},
        {60 * 16000, "1m 0s"},    {185 * 16000, "3m 5s"},   {3600 * 16000, "60m 0s"},
        {3600 * 16000 + 15999, "60m 0s"}, {268435455, "279m 37s"},
    };
    for (const auto& row : rows) {
        sqtest::SparseFileOpener files;
        files.Add("long.mp3", Frame(FrameHeader{}, 64), row.length);
        sq::clsMP3 mp3(files);
        ASSERT_NO_THROW(mp3.ReadMP3("long.mp3")) << row.length;
        EXPECT_EQ(mp3.Duration, row.duration) << row.length;
    }
}

TEST(FrameHeader, FilesShorterThan256BytesAreNotLookedInto) {
    sqtest::ReadFixture f;
    auto read = f.Read(Padded(Frame(FrameHeader{}), 255));
    ASSERT_FALSE(read.error) << read.error->Description;
    ExpectStreamMembersEmpty(*read.mp3);

    read = f.Read(Padded(Frame(FrameHeader{}), 256));
    ASSERT_FALSE(read.error) << read.error->Description;
    EXPECT_EQ(read.mp3->BitRate, "128");
    EXPECT_EQ(read.mp3->Duration, "0m 0s");
}

TEST(FrameSearch, FirstAcceptedPairFromTheFirstByte) {
    FrameHeader joint;
    joint.channel_mode = 1;
    FrameHeader mono;
    mono.channel_mode = 3;
    FrameHeader fa = mono;
    fa.protection_bit = 0;
    FrameHeader mpeg2 = joint;
    mpeg2.version = 2;
    const struct {
        const char* name;
        std::string bytes;
        const char* mode;  // "" when no header is accepted
    } rows[] = {
        {"at byte 0", Frame(mono), "single channel"},
        {"0xFA accepted as 0xFB", Filler(10) + Frame(fa), "single channel"},
        {"lone 0xFF and 0xFF 0x00 skipped", sqtest::Bytes({0xFF, 0x00, 0x12, 0xFF}) + Frame(mono), "single channel"},
        {"run of 0xFF before the pair", sqtest::Bytes({0xFF, 0xFF, 0xFF}) + Frame(mono), "single channel"},
        {"MPEG-2 header not accepted", Frame(mpeg2, 20) + Frame(mono), "single channel"},
        {"Layer II header not accepted", sqtest::Bytes({0xFF, 0xFD, 0x90, 0x40}) + Frame(mono), "single channel"},
        {"0xFB before 0xFF does not match", sqtest::Bytes({0xFB, 0xFF, 0x00}) + Frame(mono), "single channel"},
        {"MPEG-2 frames only", Frame(mpeg2, 300) + Frame(mpeg2, 300), ""},
        {"0xFF only as the last byte", Filler(400) + sqtest::Bytes({0xFF}), ""},
        {"the last two bytes", Filler(400) + sqtest::Bytes({0xFF, 0xFB}), "stereo"},
        {"no 0xFF at all", Filler(1000, 'x'), ""},
    };
    for (const auto& row : rows) {
        sqtest::ReadFixture f;
        auto read = f.Read(Padded(row.bytes, std::max<std::size_t>(row.bytes.size(), 1000)));
        if (std::string(row.name) == "the last two bytes") {
            // Bytes past the end read as 0: bit-rate index 0, so the step fails after BitRate.
            ASSERT_TRUE(read.error) << row.name;
            EXPECT_EQ(read.error->Number, 11 + 19988) << row.name;
            EXPECT_EQ(read.mp3->BitRate, "0") << row.name;
        } else {
            ASSERT_FALSE(read.error) << row.name << ": " << read.error->Description;
        }
        EXPECT_EQ(read.mp3->Mode, row.mode) << row.name;
    }
}

TEST(FrameSearch, PairsAndXingFieldsAcrossReadBoundaries) {
    // Buffers are refilled at 16 KiB and then every 64 KiB less one byte; the pair and the
    // Xing fields are found wherever they fall.
    const std::size_t offsets[] = {1, 16382, 16383, 16384, 16350, 81917, 81918, 81919, 81880, 147454, 300001};
    for (std::size_t offset : offsets) {
        sqtest::ReadFixture f;
        const std::size_t length = 1000000;
        auto read = f.Read(Padded(Filler(offset) + XingFrame(FrameHeader{}, 2500), length));
        ASSERT_FALSE(read.error) << offset << ": " << read.error->Description;
        EXPECT_TRUE(read.mp3->VBR) << offset;
        // 44100 * 1,000,000 / 2500 / 1000 / 144 = 122.5
        EXPECT_EQ(read.mp3->BitRate, "122") << offset;
        EXPECT_EQ(read.mp3->Mode, "stereo") << offset;
    }
}

TEST(FrameSearch, FrameSyncInsideAnId3v2TagIsTaken) {
    FrameHeader mono;
    mono.channel_mode = 3;
    mono.bit_rate_index = 5;
    const std::string body = sqtest::V3Frame("TIT2", "Title") + sqtest::Bytes({0xFF, 0xFB, 0x50, 0xC0}) + Filler(200);
    sqtest::ReadFixture f;
    auto read = f.Read(sqtest::Id3v2Tag(3, body) + Frame(FrameHeader{}) + Filler(2000));
    ASSERT_FALSE(read.error) << read.error->Description;
    EXPECT_EQ(read.mp3->Mode, "single channel");
    EXPECT_EQ(read.mp3->BitRate, "64");
    EXPECT_EQ(read.mp3->Songname, "Title");
}

TEST(FrameHeader, XingOnlyAtOffset36) {
    // A mono Xing frame has its mark at 21: taken as constant bit rate, from the first frame.
    FrameHeader mono;
    mono.channel_mode = 3;
    mono.bit_rate_index = 5;
    std::string frame = Frame(mono);
    frame.replace(21, 4, "Xing");
    frame.replace(29, 4, sqtest::Bytes({0, 0, 0x27, 0x10}));
    sqtest::ReadFixture f;
    auto read = f.Read(Padded(frame, 100000));
    ASSERT_FALSE(read.error) << read.error->Description;
    EXPECT_FALSE(read.mp3->VBR);
    EXPECT_EQ(read.mp3->BitRate, "64");
    EXPECT_EQ(read.mp3->Duration, "0m 12s");

    // "Info" (a constant bit rate encoder's frame) and "xing" are not the mark.
    for (const char* mark : {"Info", "xing", "XING"}) {
        std::string info = XingFrame(FrameHeader{}, 10000);
        info.replace(36, 4, mark);
        auto other = f.Read(Padded(info, 4000000));
        ASSERT_FALSE(other.error) << mark;
        EXPECT_FALSE(other.mp3->VBR) << mark;
        EXPECT_EQ(other.mp3->BitRate, "128") << mark;
    }
}

TEST(FrameHeader, XingEstimateUsesTheFrequencyAndWholeLengthAndKeepsTheIntegerPart) {
    FrameHeader at48k;
    at48k.sample_rate_index = 1;
    at48k.bit_rate_index = 15;  // not consulted for a Xing frame
    const struct {
        std::uint32_t frames;
        std::uint64_t length;
        const char* bit_rate;
        const char* duration;
    } rows[] = {
        {1000, 3000000, "1000", "0m 24s"},  // 48000 * 3e6 / 1000 / 144000 = 1000 exactly
        {3000, 1000000, "111", "1m 12s"},   // 111.11
        {7, 1000, "47", "0m 0s"},           // 47.619
        {1, 256, "85", "0m 0s"},            // 85.33
    };
    for (const auto& row : rows) {
        sqtest::SparseFileOpener files;
        files.Add("vbr.mp3", XingFrame(at48k, row.frames, 100), row.length);
        sq::clsMP3 mp3(files);
        ASSERT_NO_THROW(mp3.ReadMP3("vbr.mp3")) << row.frames;
        EXPECT_TRUE(mp3.VBR);
        EXPECT_EQ(mp3.Frequency, "48000");
        EXPECT_EQ(mp3.BitRate, row.bit_rate) << row.frames;
        EXPECT_EQ(mp3.Duration, row.duration) << row.frames;
    }
}

struct FailureRow {
    const char* name;
    std::string prefix;
    std::uint64_t length;
    long cause;
    const char* description;
    // The members reached before the failure.
    bool vbr;
    const char* mode;
    const char* frequency;
    const char* bit_rate;
};

TEST(FrameHeader, FailuresKeepTheMembersReachedAndStopTheTagStep) {
    FrameHeader bad_frequency;
    bad_frequency.sample_rate_index = 3;
    FrameHeader bad_rate;
    bad_rate.bit_rate_index = 15;
    FrameHeader free_format;
    free_format.bit_rate_index = 0;
    const FailureRow rows[] = {
        {"frequency index 3", Frame(bad_frequency), 5000, 9, "Subscript out of range", false, "stereo", "", ""},
        {"frequency index 3 with Xing", XingFrame(bad_frequency, 5), 5000, 9, "Subscript out of range", true,
         "stereo", "", ""},
        {"bit-rate index 15", Frame(bad_rate), 5000, 9, "Subscript out of range", false, "stereo", "44100", ""},
        {"bit-rate index 0", Frame(free_format), 5000, 11, "Division by zero", false, "stereo", "44100", "0"},
        {"Xing frame count 0", XingFrame(FrameHeader{}, 0), 5000, 11, "Division by zero", true, "stereo", "44100",
         ""},
        {"Xing estimate below 1", XingFrame(FrameHeader{}, 0x7FFFFFFF), 5000, 11, "Division by zero", true,
         "stereo", "44100", "0"},
        {"Xing frame count 2^31", XingFrame(FrameHeader{}, 0x80000000u), 5000, 6, "Overflow", true, "", "", ""},
        {"Xing frame count 2^32-1", XingFrame(FrameHeader{}, 0xFFFFFFFFu), 5000, 6, "Overflow", true, "", "", ""},
        {"256 MiB file", Frame(FrameHeader{}), 268435456, 6, "Overflow", false, "stereo", "44100", "128"},
    };
    for (const auto& row : rows) {
        sqtest::SparseFileOpener files;
        // An ID3v1 block at the end would give a title if the tag step ran.
        std::string prefix = row.prefix;
        files.Add("bad.mp3", prefix, row.length);
        sq::clsMP3 mp3(files);
        mp3.Songname = "from before";
        try {
            mp3.ReadMP3("bad.mp3");
            ADD_FAILURE() << row.name << ": no failure";
        } catch (const sq::ClsMP3Error& e) {
            EXPECT_EQ(e.Number, row.cause + 19988) << row.name;
            EXPECT_EQ(e.Source, "clsMP3") << row.name;
            EXPECT_EQ(e.Description, std::string(row.description) + " in clsMP3 (bad.mp3)") << row.name;
        }
        EXPECT_EQ(mp3.VBR, row.vbr) << row.name;
        EXPECT_EQ(mp3.Mode, row.mode) << row.name;
        EXPECT_EQ(mp3.MpegVersion, *row.mode ? "1" : "") << row.name;
        EXPECT_EQ(mp3.Frequency, row.frequency) << row.name;
        EXPECT_EQ(mp3.BitRate, row.bit_rate) << row.name;
        EXPECT_EQ(mp3.Duration, "") << row.name;
        EXPECT_EQ(mp3.Songname, "") << row.name;
    }
}

TEST(FrameHeader, FailureSkipsTheTagsOfARealTaggedFile) {
    sqtest::Id3v1 v1;
    v1.title = "Kept out";
    sqtest::ReadFixture f;
    auto read = f.Read(Padded(XingFrame(FrameHeader{}, 0), 4000) + v1.Encode());
    ASSERT_TRUE(read.error);
    EXPECT_EQ(read.error->Number, 19999);
    EXPECT_EQ(read.mp3->Songname, "");
    EXPECT_EQ(f.files.open_files(), 0);
    EXPECT_EQ(f.files.opens(), 1);
}

}  // namespace
