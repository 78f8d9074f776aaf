#pragma once
// The four bytes that open an MPEG audio frame, and what the stream properties take from the
// first frame. Each field holds its bits as the header carries them; what they mean (a bit rate,
// a frequency, a mode's name) is the reader's table, not the header's.
#include <cstdint>
#include <optional>

#include "media/frame_search.h"

namespace sq {

// A default header is the one most MP3 files open with: MPEG-1 Layer III without a CRC,
// 128 kbit/s, 44100 Hz, stereo.
struct FrameHeader {
    unsigned version = 3;            // 2 bits: 3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5, 1 reserved
    unsigned layer = 1;              // 2 bits: 1 Layer III, 2 Layer II, 3 Layer I, 0 reserved
    unsigned protection_bit = 1;     // 0: a 16-bit CRC follows the header
    unsigned bit_rate_index = 9;     // 4 bits
    unsigned sample_rate_index = 0;  // 2 bits
    unsigned channel_mode = 0;       // 2 bits: stereo, joint stereo, dual channel, single channel

    // From the header's four bytes; the 11 sync bits are the frame search's business.
    static FrameHeader Parse(const unsigned char* bytes) noexcept;
};

// The first frame as the stream properties read it. Encoders put the "Xing" mark of a stereo
// MPEG-1 frame at byte 36 and of a mono one at 21; clsMP3 has always looked at 36 alone, whatever
// the mode, so a mono file's mark is not seen and the file reads as constant bit rate.
struct FirstFrameFields {
    static constexpr std::size_t kXingMarkAt = 36;
    static constexpr std::size_t kXingCountAt = 44;
    static_assert(kXingCountAt + 4 <= FirstFrame::kSize, "the search copies the Xing count with the frame");

    FrameHeader header;
    std::optional<std::uint32_t> xing_frame_count;  // set where the frame holds the mark

    static FirstFrameFields Parse(const FirstFrame& frame) noexcept;
};

}  // namespace sq
