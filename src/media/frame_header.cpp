// ReadFrameHeader: the stream properties of clsMP3, from the first frame header and, when that
// frame carries one, the Xing frame count.
#include <cstring>
#include <new>

#include "media/cls_mp3.h"
#include "media/frame_search.h"

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

void clsMP3::ReadFrameHeader(const std::string& path) {
    try {
        std::unique_ptr<ByteFile> file = files_.OpenRead(path);
        const std::uint64_t length = file->Length();
        if (length < kSmallestSearchedFile) return;
        const std::optional<FirstFrame> found = FindFirstFrame(*file, length);
        file.reset();
        if (!found) return;
        const unsigned char* frame = found->bytes.data();

        std::int64_t frame_count = 0;
        if (std::memcmp(frame + 36, "Xing", 4) == 0) {
            VBR = true;
            const std::uint32_t count = BigEndian32(frame + 44);
            // The count is held as a signed 32-bit number.
            if (count > 0x7FFFFFFFu) RaiseCause(cause::kOverflow);
            frame_count = count;
        } else {
            VBR = false;
        }

        const std::uint32_t header = BigEndian32(frame);
        MpegVersion = kVersionLayerTable[(header >> 19) & 3];
        MpegLayer = kVersionLayerTable[(header >> 17) & 3];
        Mode = kModeTable[(header >> 6) & 3];

        const unsigned frequency_index = (header >> 10) & 3;
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
            const unsigned bit_rate_index = (header >> 12) & 15;
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
