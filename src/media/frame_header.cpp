// The first frame's header and Xing count, and ReadFrameHeader: the stream properties of clsMP3
// made from them.
#include "media/frame_header.h"

#include <cstring>
#include <new>

#include "media/cls_mp3.h"

namespace sq {
namespace {

// Shorter files are not looked into at all.
constexpr std::uint64_t kSmallestSearchedFile = 256;
constexpr double kLayer3BytesPerFrameFactor = 144.0;

const char* const kVersionLayerTable[4] = {"0", "3", "2", "1"};
const char* const kModeTable[4] = {"stereo", "joint stereo", "dual channel", "single channel"};
constexpr long kFrequencyTable[3] = {44100, 48000, 32000};
constexpr long kBitRateTable[15] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};

std::uint32_t BigEndian32(const unsigned char* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

}  // namespace

FrameHeader FrameHeader::Parse(const unsigned char* bytes) noexcept {
    FrameHeader header;
    header.version = (bytes[1] >> 3) & 3u;
    header.layer = (bytes[1] >> 1) & 3u;
    header.protection_bit = bytes[1] & 1u;
    header.bit_rate_index = (bytes[2] >> 4) & 15u;
    header.sample_rate_index = (bytes[2] >> 2) & 3u;
    header.channel_mode = (bytes[3] >> 6) & 3u;
    return header;
}

FirstFrameFields FirstFrameFields::Parse(const FirstFrame& frame) noexcept {
    FirstFrameFields fields;
    fields.header = FrameHeader::Parse(frame.bytes.data());
    if (std::memcmp(frame.bytes.data() + kXingMarkAt, "Xing", 4) == 0) {
        fields.xing_frame_count = BigEndian32(frame.bytes.data() + kXingCountAt);
    }
    return fields;
}

void clsMP3::ReadFrameHeader(const std::string& path) {
    try {
        std::unique_ptr<ByteFile> file = files_.OpenRead(path);
        const std::uint64_t length = file->Length();
        if (length < kSmallestSearchedFile) return;
        const std::optional<FirstFrame> found = FindFirstFrame(*file, length);
        file.reset();
        if (!found) return;
        const FirstFrameFields first = FirstFrameFields::Parse(*found);
        const FrameHeader& header = first.header;

        std::int64_t frame_count = 0;
        VBR = first.xing_frame_count.has_value();
        if (VBR) {
            // The count is held as a signed 32-bit number.
            if (*first.xing_frame_count > 0x7FFFFFFFu) RaiseCause(cause::kOverflow);
            frame_count = *first.xing_frame_count;
        }

        MpegVersion = kVersionLayerTable[header.version];
        MpegLayer = kVersionLayerTable[header.layer];
        Mode = kModeTable[header.channel_mode];

        const unsigned frequency_index = header.sample_rate_index;
        if (frequency_index >= 3) RaiseCause(cause::kSubscriptRange);
        const long frequency = kFrequencyTable[frequency_index];
        Frequency = std::to_string(frequency);

        std::int64_t bit_rate = 0;
        if (VBR) {
            if (frame_count == 0) RaiseCause(cause::kDivisionByZero);
            const double average = static_cast<double>(frequency) * static_cast<double>(length) /
                                   static_cast<double>(frame_count) / 1000.0 / kLayer3BytesPerFrameFactor;
            // Only the digits before the decimal point are kept.
            bit_rate = static_cast<std::int64_t>(average);
        } else {
            const unsigned bit_rate_index = header.bit_rate_index;
            if (bit_rate_index >= 15) RaiseCause(cause::kSubscriptRange);
            bit_rate = kBitRateTable[bit_rate_index];
        }
        BitRate = std::to_string(bit_rate);

        // The bit count is a signed 32-bit number: files of 256 MB and more overflow it.
        if (length > 0x7FFFFFFFu / 8) RaiseCause(cause::kOverflow);
        const std::int64_t bits = static_cast<std::int64_t>(length) * 8;
        if (bit_rate == 0) RaiseCause(cause::kDivisionByZero);
        const std::int64_t seconds = bits / (bit_rate * 1000);
        Duration = std::to_string(seconds / 60) + "m " + std::to_string(seconds % 60) + "s";
    } catch (const ClsMP3Error& caught) {
        throw WrapInFileStep(caught, path);
    } catch (const std::bad_alloc&) {
        throw WrapInFileStep(Cause(cause::kOutOfMemory), path);
    }
}

}  // namespace sq
