// ReadTagsOnly on files on disk whose first frame ends ReadMP3: their own tags come all the same.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "media/cls_mp3.h"
#include "media/mp3_bytes.h"
#include "media/posix_file.h"

namespace {

TEST(TagsOnlyOnDisk, FirstFramesReadMP3CannotUseKeepTheFilesTags) {
    std::string folder = testing::TempDir() + "sq_tags_XXXXXX";
    ASSERT_NE(::mkdtemp(folder.data()), nullptr);
    sq::FrameHeader free_format;
    free_format.bit_rate_index = 0;
    sqtest::Id3v1 end;
    end.title = "End Title";
    end.artist = "End Artist";
    const std::string v1 = end.Encode();
    const std::string artist = sqtest::V3Frame("TPE1", "Front Artist");
    // Each file is `head`, a hole, then `tail` at its end; ReadMP3 fails on it with `cause`.
    const struct {
        const char *name, *artist, *title;
        std::string head;
        std::uint64_t length;
        std::string tail;
        long cause;
    } rows[] = {
        {"300 MiB", "Front Artist", "End Title", sqtest::Id3v2Tag(3, artist) + sqtest::Frame(sq::FrameHeader{}),
         std::uint64_t{300} << 20, v1, 6},
        {"Xing count 0", "End Artist", "End Title", sqtest::XingFrame(sq::FrameHeader{}, 0), 5000, v1, 11},
        {"free format", "Front Artist", "Front Title",
         sqtest::Id3v2Tag(3, sqtest::V3Frame("TIT2", "Front Title") + artist) + sqtest::Frame(free_format), 5000, "", 11},
    };
    sq::PosixFileOpener files;
    for (const auto& row : rows) {
        const std::string path = folder + "/" + row.name + ".mp3";
        std::ofstream(path, std::ios::binary) << row.head;
        std::filesystem::resize_file(path, row.length);
        std::fstream(path, std::ios::in | std::ios::out | std::ios::binary)
                .seekp(static_cast<std::streamoff>(row.length - row.tail.size()))
            << row.tail;
        sq::clsMP3 mp3(files);
        try {
            mp3.ReadMP3(path);
            ADD_FAILURE() << row.name << ": ReadMP3 no longer fails";
        } catch (const sq::ClsMP3Error& e) {
            EXPECT_EQ(e.Number, row.cause + 19988) << row.name;
        }
        EXPECT_NO_THROW(mp3.ReadTagsOnly(path)) << row.name;
        EXPECT_EQ(mp3.Artist, row.artist) << row.name;
        EXPECT_EQ(mp3.Songname, row.title) << row.name;
        EXPECT_EQ(mp3.Frequency, "") << row.name;  // ReadMP3 had reached it; the tags alone reset it
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
