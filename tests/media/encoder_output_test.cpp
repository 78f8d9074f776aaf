// Real encoder output: a generated tone encoded by lame in the ways players meet most, read
// through the POSIX file layer. Needs the lame command (scripts/install-deps.sh installs it).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>

#include <stdlib.h>
#include <unistd.h>

#include "media/cls_mp3.h"
#include "media/posix_file.h"

namespace {

constexpr double kToneSeconds = 2.5;

void Put16(std::string& out, int v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void Put32(std::string& out, std::uint32_t v) {
    Put16(out, static_cast<int>(v & 0xFFFF));
    Put16(out, static_cast<int>(v >> 16));
}

// A 16-bit PCM WAV file: 440 Hz on the left (and only) channel, 660 Hz on the right.
std::string ToneWav(int rate, int channels) {
    const int samples = static_cast<int>(rate * kToneSeconds);
    const std::uint32_t data_size = static_cast<std::uint32_t>(samples * channels * 2);
    std::string wav = "RIFF";
    Put32(wav, 36 + data_size);
    wav += "WAVEfmt ";
    Put32(wav, 16);
    Put16(wav, 1);
    Put16(wav, channels);
    Put32(wav, static_cast<std::uint32_t>(rate));
    Put32(wav, static_cast<std::uint32_t>(rate * channels * 2));
    Put16(wav, channels * 2);
    Put16(wav, 16);
    wav += "data";
    Put32(wav, data_size);
    const double pi = 3.14159265358979323846;
    for (int i = 0; i < samples; ++i) {
        Put16(wav, static_cast<int>(12000 * std::sin(2 * pi * 440 * i / rate)));
        if (channels == 2) Put16(wav, static_cast<int>(9000 * std::sin(2 * pi * 660 * i / rate)));
    }
    return wav;
}

class EncoderOutput : public testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string pattern = testing::TempDir() + "sq_lame_XXXXXX";
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = new std::string(pattern + "/");
    }
    static void TearDownTestSuite() {
        std::system(("rm -rf '" + *folder_ + "'").c_str());
        delete folder_;
        folder_ = nullptr;
    }

    // Encodes the tone with `options` and returns the file's path.
    std::string Encode(const std::string& name, int rate, int channels, const std::string& options) {
        const std::string wav = *folder_ + name + ".wav";
        const std::string mp3 = *folder_ + name + ".mp3";
        std::ofstream(wav, std::ios::binary) << ToneWav(rate, channels);
        const std::string command = "lame --quiet " + options + " '" + wav + "' '" + mp3 + "' 2>/dev/null";
        EXPECT_EQ(std::system(command.c_str()), 0) << "lame failed (is it installed?): " << command;
        return mp3;
    }

    static std::string Contents(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    sq::PosixFileOpener files_;
    static std::string* folder_;
};
std::string* EncoderOutput::folder_ = nullptr;

TEST_F(EncoderOutput, ConstantBitRateFiles) {
    const struct {
        const char* name;
        int rate;
        int channels;
        const char* options;
        const char* mode;
        const char* frequency;
        const char* bit_rate;
    } rows[] = {
        {"cbr_stereo", 44100, 2, "-m s -b 128", "stereo", "44100", "128"},
        {"cbr_joint", 44100, 2, "-m j -b 192", "joint stereo", "44100", "192"},
        {"cbr_mono", 44100, 1, "-m m -b 64", "single channel", "44100", "64"},
        {"cbr_48k", 48000, 2, "-m s -b 160", "stereo", "48000", "160"},
        {"cbr_32k", 32000, 2, "-m s -b 128", "stereo", "32000", "128"},
    };
    for (const auto& row : rows) {
        const std::string path = Encode(row.name, row.rate, row.channels, row.options);
        sq::clsMP3 mp3(files_);
        ASSERT_NO_THROW(mp3.ReadMP3(path)) << row.name;
        EXPECT_EQ(mp3.MpegVersion, "1") << row.name;
        EXPECT_EQ(mp3.MpegLayer, "3") << row.name;
        EXPECT_EQ(mp3.Mode, row.mode) << row.name;
        EXPECT_EQ(mp3.Frequency, row.frequency) << row.name;
        // The encoder's "Info" frame of a constant-rate file is no Xing mark.
        EXPECT_FALSE(mp3.VBR) << row.name;
        EXPECT_EQ(mp3.BitRate, row.bit_rate) << row.name;
        EXPECT_EQ(mp3.Duration, "0m 2s") << row.name;
        EXPECT_EQ(mp3.Songname, "") << row.name;
    }
}

TEST_F(EncoderOutput, VariableBitRateStereoCarriesXing) {
    const std::string path = Encode("vbr_stereo", 44100, 2, "-m s -V 2");
    ASSERT_EQ(Contents(path).substr(36, 4), "Xing");
    sq::clsMP3 mp3(files_);
    ASSERT_NO_THROW(mp3.ReadMP3(path));
    EXPECT_TRUE(mp3.VBR);
    EXPECT_EQ(mp3.Mode, "stereo");
    EXPECT_EQ(mp3.Frequency, "44100");
    // The average from the frame count and the whole length: a plain number within MPEG-1's range.
    ASSERT_FALSE(mp3.BitRate.empty());
    EXPECT_EQ(mp3.BitRate.find_first_not_of("0123456789"), std::string::npos) << mp3.BitRate;
    const int average = std::stoi(mp3.BitRate);
    EXPECT_GE(average, 32);
    EXPECT_LE(average, 320);
    EXPECT_EQ(mp3.Duration, "0m 2s");
}

TEST_F(EncoderOutput, VariableBitRateMonoHasItsXingElsewhere) {
    const std::string path = Encode("vbr_mono", 44100, 1, "-m m -V 2");
    const std::string bytes = Contents(path);
    ASSERT_EQ(bytes.substr(21, 4), "Xing");
    sq::clsMP3 mp3(files_);
    ASSERT_NO_THROW(mp3.ReadMP3(path));
    EXPECT_FALSE(mp3.VBR);
    EXPECT_EQ(mp3.Mode, "single channel");
    const std::set<std::string> table = {"32", "40", "48", "56", "64", "80", "96", "112", "128", "160", "192", "224",
                                         "256", "320"};
    EXPECT_EQ(table.count(mp3.BitRate), 1u) << mp3.BitRate;
    EXPECT_FALSE(mp3.Duration.empty());
}

TEST_F(EncoderOutput, Mpeg2FileGivesNoStreamValues) {
    const std::string path = Encode("mpeg2", 22050, 2, "-m s -b 16 --resample 22.05");
    const std::string bytes = Contents(path);
    ASSERT_EQ(static_cast<unsigned char>(bytes[1]) & 0xFE, 0xF2) << "not an MPEG-2 Layer III file";
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
        const unsigned char a = static_cast<unsigned char>(bytes[i]);
        const unsigned char b = static_cast<unsigned char>(bytes[i + 1]);
        ASSERT_FALSE(a == 0xFF && (b == 0xFA || b == 0xFB)) << "this encoder output holds an accepted pair at " << i;
    }
    sq::clsMP3 mp3(files_);
    ASSERT_NO_THROW(mp3.ReadMP3(path));
    for (const std::string* member : {&mp3.Duration, &mp3.Frequency, &mp3.Mode, &mp3.MpegLayer, &mp3.MpegVersion,
                                      &mp3.BitRate}) {
        EXPECT_EQ(*member, "");
    }
    EXPECT_FALSE(mp3.VBR);
}

const char kTagOptions[] = "--tt 'Tone Title' --ta 'Tone Artist' --tl 'Tone Album' --ty 2001 --tc 'A comment' "
                           "--tg Rock --tn 5";

TEST_F(EncoderOutput, Id3v1Tag) {
    const std::string path = Encode("id3v1", 44100, 2, std::string("-m j -b 128 --id3v1-only ") + kTagOptions);
    sq::clsMP3 mp3(files_);
    ASSERT_NO_THROW(mp3.ReadMP3(path));
    EXPECT_EQ(mp3.Songname, "Tone Title");
    EXPECT_EQ(mp3.Artist, "Tone Artist");
    EXPECT_EQ(mp3.Album, "Tone Album");
    EXPECT_EQ(mp3.Year, "2001");
    // The track number byte (5) at the comment's end is a code below 48.
    EXPECT_EQ(mp3.Comment, "Acomment");
    EXPECT_EQ(mp3.Genre, "Rock");
    EXPECT_EQ(mp3.Track, "");
    EXPECT_EQ(mp3.Mode, "joint stereo");
}

TEST_F(EncoderOutput, Id3v2TagBeforeTheAudio) {
    const std::string path = Encode("id3v2", 44100, 2, std::string("-m j -b 128 --add-id3v2 ") + kTagOptions);
    ASSERT_EQ(Contents(path).substr(0, 4), std::string("ID3\x03", 4));
    sq::clsMP3 mp3(files_);
    ASSERT_NO_THROW(mp3.ReadMP3(path));
    // The search passes the tag and finds the first frame after it.
    EXPECT_EQ(mp3.Mode, "joint stereo");
    EXPECT_EQ(mp3.BitRate, "128");
    // Frame text is taken byte for byte, whichever encoding the encoder chose.
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("Tone Title")) {
        utf16.push_back(c);
        utf16.push_back('\0');
    }
    EXPECT_TRUE(mp3.Songname == "Tone Title" || mp3.Songname == utf16) << mp3.Songname;
    EXPECT_EQ(mp3.Genre, "Rock");
    EXPECT_EQ(mp3.Comment, "Acomment");  // from the ID3v1 block the encoder also wrote
    EXPECT_FALSE(mp3.Track.empty());
}

}  // namespace
