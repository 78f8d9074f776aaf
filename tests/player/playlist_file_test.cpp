#include "player/playlist_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "player/playlist_file_on_disk.h"

namespace {

namespace fs = std::filesystem;

// Each test writes its bytes to a file of its own and removes it afterwards.
class PlaylistFile : public testing::Test {
protected:
    void SetUp() override {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        path_ = fs::temp_directory_path() /
                ("sq_playlist_" + std::to_string(::getpid()) + "_" + info->name() + ".m3u");
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove(path_, ignored);
    }
    std::string Write(const std::string& bytes) {
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path_.string();
    }
    fs::path path_;
};

// The layout 2.x writes: a header, then an information line and a path line per entry.
std::string Playlist(int entries, const std::string& line_end = "\r\n") {
    std::string bytes = "#EXTM3U" + line_end;
    for (int k = 0; k < entries; ++k) {
        bytes += "#EXTINF:" + std::to_string(100 + k) + ",Artist " + std::to_string(k) + " - Song" + line_end;
        bytes += "C:\\Music\\track" + std::to_string(k) + ".mp3" + line_end;
    }
    return bytes;
}

std::string PathOf(int k) { return "C:\\Music\\track" + std::to_string(k) + ".mp3"; }

// Hands the bytes out in pieces of the given sizes, in turn, so that lines cross every kind of
// boundary between reads.
class PiecewiseBytes final : public sq::PlaylistBytes {
public:
    PiecewiseBytes(const std::string& bytes, const std::vector<std::size_t>& pieces) : bytes_(bytes), pieces_(pieces) {}
    std::size_t Read(char* buffer, std::size_t size) override {
        std::size_t n = std::min({size, bytes_.size() - at_, pieces_[turn_++ % pieces_.size()]});
        std::copy_n(bytes_.data() + at_, n, buffer);
        at_ += n;
        return n;
    }

private:
    const std::string& bytes_;
    const std::vector<std::size_t>& pieces_;
    std::size_t at_ = 0;
    std::size_t turn_ = 0;
};

std::string EntryOf(const std::string& bytes, long position, const std::vector<std::size_t>& pieces) {
    PiecewiseBytes source(bytes, pieces);
    return sq::ReadPlaylistEntry(source, position);
}

TEST_F(PlaylistFile, TwoLinesPerEntryGiveLine2pPlus3AsBefore) {
    const std::string file = Write(Playlist(12));
    for (int p : {0, 1, 2, 7, 11}) {
        EXPECT_EQ(sqtest::ReadPlaylistEntry(file, p), PathOf(p)) << "position " << p;
    }
    EXPECT_EQ(sqtest::ReadPlaylistEntry(Write(Playlist(4, "\n")), 2), PathOf(2)) << "bare line feeds end lines as well";
}

TEST_F(PlaylistFile, EntriesWithoutInformationLinesCountByTheirPathLines) {
    // As 5.x writes it: only entries whose details the player has read carry #EXTINF.
    const std::string bytes = "#EXTM3U\r\nC:\\a.mp3\r\n#EXTINF:10,B\r\nC:\\b.mp3\r\nC:\\c.mp3\r\nC:\\d.mp3\r\n"
                              "#EXTINF:10,E\r\n#EXT-X-OTHER\r\nC:\\e.mp3\r\n";
    const std::string file = Write(bytes);
    const char* expected[] = {"C:\\a.mp3", "C:\\b.mp3", "C:\\c.mp3", "C:\\d.mp3", "C:\\e.mp3"};
    for (long p = 0; p < 5; ++p) EXPECT_EQ(sqtest::ReadPlaylistEntry(file, p), expected[p]) << "position " << p;
    EXPECT_EQ(sqtest::ReadPlaylistEntry(Write("#EXTM3U\r\nC:\\only.mp3"), 0), "C:\\only.mp3") << "unterminated last line";
}

// Mended: the file once gave its last line (another entry's path, an information line or the
// header) when it ended before the wanted entry.
TEST_F(PlaylistFile, FileWithoutTheEntryGivesNothing) {
    const std::string file = Write(Playlist(3));
    EXPECT_EQ(sqtest::ReadPlaylistEntry(file, 3), "");
    EXPECT_EQ(sqtest::ReadPlaylistEntry(file, 500), "");
    EXPECT_EQ(sqtest::ReadPlaylistEntry(Write("#EXTM3U\r\n"), 0), "") << "header only";
    EXPECT_EQ(sqtest::ReadPlaylistEntry(Write("#EXTM3U"), 0), "");
    EXPECT_EQ(sqtest::ReadPlaylistEntry(Write("#EXTM3U\r\n#EXTINF:1,a\r\nC:\\a.mp3\r\n#EXTINF:1,b\r\n"), 1), "")
        << "ends on an information line";
    EXPECT_EQ(sqtest::ReadPlaylistEntry(Write(""), 0), "");
    EXPECT_EQ(sqtest::ReadPlaylistEntry((path_.parent_path() / "sq_no_such_dir" / "WINAMP.m3u").string(), 0), "");
    EXPECT_EQ(sqtest::ReadPlaylistEntry(path_.parent_path().string(), 0), "") << "a folder is not a playlist";
}

TEST_F(PlaylistFile, PathLineIsReturnedUnchanged) {
    const std::string line = "  C:\\Odd Folder\\ spaced .mp3\t \xe9";
    EXPECT_EQ(sqtest::ReadPlaylistEntry(Write("h\r\n#i\r\n" + line + "\r\n"), 0), line);
    // Line 1 is the header whatever it holds; an empty line after it is an entry with no path.
    EXPECT_EQ(sqtest::ReadPlaylistEntry(Write("C:\\first.mp3\r\n\r\nC:\\x.mp3\r\n"), 0), "");
    EXPECT_EQ(sqtest::ReadPlaylistEntry(Write("C:\\first.mp3\r\n\r\nC:\\x.mp3\r\n"), 1), "C:\\x.mp3");
}

TEST_F(PlaylistFile, PositionsOutsideTheSupportedRangeGiveEmptyText) {
    const std::string file = Write(Playlist(2));
    for (long p : {-1L, -2L, sq::kLastPlaylistPosition + 1, 70000L}) EXPECT_EQ(sqtest::ReadPlaylistEntry(file, p), "") << p;
    const int entries = static_cast<int>(sq::kLastPlaylistPosition) + 1;
    EXPECT_EQ(sqtest::ReadPlaylistEntry(Write(Playlist(entries)), sq::kLastPlaylistPosition), PathOf(entries - 1));
}

// Lines that cross the reader's 64 kB chunks, in every alignment of the CR LF and of the "#" that
// tells an information line from an entry.
TEST_F(PlaylistFile, LinesAcrossChunkBoundaries) {
    for (std::size_t filler : {65536u - 10u, 65536u - 9u, 65536u - 8u, 65536u - 7u, 65536u - 6u, 65536u, 65536u * 2 + 3}) {
        const std::string info = "#" + std::string(filler, 'i');
        const std::string path = "C:\\" + std::string(70000, 'p') + ".mp3";
        const std::string file = Write("hdr\r\n" + info + "\r\n" + path + "\r\n#info2\r\nC:\\b.mp3\r\n");
        EXPECT_EQ(sqtest::ReadPlaylistEntry(file, 0), path) << "filler " << filler;
        EXPECT_EQ(sqtest::ReadPlaylistEntry(file, 1), "C:\\b.mp3") << "filler " << filler;
        EXPECT_EQ(sqtest::ReadPlaylistEntry(file, 2), "") << "filler " << filler;
    }
}

// Random layouts (information lines or not, CR LF or LF, lengths up to beyond a chunk; in the last
// round short lines read a few bytes at a time), read in pieces of odd sizes, checked against a plain split of the same bytes for every position,
// including those past the last entry.
TEST(PlaylistEntries, AgreeWithAPlainSplitWhateverTheReadSizes) {
    unsigned seed = 12345;
    const auto next = [&seed](unsigned range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % range;
    };
    for (int round = 0; round < 4; ++round) {
        std::string bytes;
        std::vector<std::string> entries;
        for (int n = 0; n < 300; ++n) {
            const std::size_t length = next(round == 3 ? 6u : n % 90 == 7 ? 100000u : 300u);
            std::string line(length, static_cast<char>('a' + n % 26));
            if (!line.empty() && next(3) == 0) line.front() = '#';
            if (n > 0 && (line.empty() || line.front() != '#')) entries.push_back(line);
            bytes += line + (next(3) == 0 ? "\n" : "\r\n");
        }
        entries.push_back("C:\\last.mp3");
        bytes += entries.back() + (round % 2 ? "" : "\r\n");  // the last line is terminated or not
        const std::vector<std::size_t> pieces = round < 2    ? std::vector<std::size_t>{65536}
                                                : round == 2 ? std::vector<std::size_t>{1, 2, 3, 65535, 7, 300, 65536, 4093}
                                                             : std::vector<std::size_t>{1, 2, 3, 5, 8};
        for (long p = 0; p < static_cast<long>(entries.size()) + 3; ++p) {
            const std::string expected = p < static_cast<long>(entries.size()) ? entries[static_cast<std::size_t>(p)] : "";
            ASSERT_EQ(EntryOf(bytes, p, pieces), expected) << "round " << round << ", position " << p;
        }
    }
}

}  // namespace
