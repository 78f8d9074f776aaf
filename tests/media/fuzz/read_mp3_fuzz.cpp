// libFuzzer target: any bytes, read as an audio file by clsMP3::ReadMP3 and by its tag step alone
// (ReadTagsOnly) through the in-memory file layer. A reader failure is the class's defined
// answer; anything else is a finding. The frame search's vector scans must also find what the
// byte-by-byte scan finds.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <tuple>

#include "media/cls_mp3.h"
#include "media/frame_search.h"
#include "media/memory_file.h"

namespace {

// No read may allocate more than the file holds (plus the fixed scan buffer it may not exceed).
bool MembersAreBounded(const sq::clsMP3& mp3, std::size_t size) {
    for (const std::string* member : {&mp3.Songname, &mp3.Artist, &mp3.Album, &mp3.Year, &mp3.Comment, &mp3.Track}) {
        if (member->size() > size) return false;
    }
    return true;
}

void ScansAgree(sqtest::MemoryFileOpener& files) {
    std::optional<sq::FirstFrame> by_bytes;
    for (sq::PairScan scan : {sq::PairScan::Bytes, sq::PairScan::Sse2, sq::PairScan::Avx2}) {
        if (scan > sq::FastestPairScan()) break;
        auto file = files.OpenRead("fuzz.mp3");
        const std::optional<sq::FirstFrame> found = sq::FindFirstFrame(*file, file->Length(), scan);
        if (scan == sq::PairScan::Bytes) {
            by_bytes = found;
        } else if (found.has_value() != by_bytes.has_value() ||
                   (found && (found->offset != by_bytes->offset || found->bytes != by_bytes->bytes))) {
            std::abort();
        }
    }
}

// The tags read alone are ReadMP3's where ReadMP3 passes, and fail only as the class fails.
void TagsAloneAgree(sqtest::MemoryFileOpener& files, const sq::clsMP3& whole, bool whole_read, std::size_t size) {
    sq::clsMP3 alone(files);
    try {
        alone.ReadTagsOnly("fuzz.mp3");
    } catch (const sq::ClsMP3Error& e) {
        if (whole_read || e.Number < 2 * 9994 || e.Source != "clsMP3") std::abort();
    }
    const auto tags = [](const sq::clsMP3& m) { return std::tie(m.Songname, m.Artist, m.Genre, m.Track); };
    if (files.open_files() != 0 || !MembersAreBounded(alone, size) || !alone.MpegVersion.empty() ||
        (whole_read && tags(alone) != tags(whole))) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    sqtest::MemoryFileOpener files;
    files.Add("fuzz.mp3", std::string(reinterpret_cast<const char*>(data), size));
    sq::clsMP3 mp3(files);
    bool read = false;
    try {
        read = mp3.ReadMP3("fuzz.mp3");
    } catch (const sq::ClsMP3Error& e) {
        // Every failure is wrapped twice and named after the class.
        if (e.Number < 2 * 9994 || e.Source != "clsMP3") std::abort();
    }
    if (files.open_files() != 0) std::abort();
    if (!MembersAreBounded(mp3, size)) std::abort();
    // A read that ran to its end found either no frame or a complete set of stream values.
    if (read && mp3.MpegVersion.empty() != mp3.Duration.empty()) std::abort();
    TagsAloneAgree(files, mp3, read, size);
    ScansAgree(files);
    return 0;
}
