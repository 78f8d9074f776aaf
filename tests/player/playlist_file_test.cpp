#include "player/playlist_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

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

// The layout the player writes: a header, then an information line and a path line per entry.
std::string Playlist(int entries, const std::string& line_end = "\r\n") {
    std::string bytes = "#EXTM3U" + line_end;
    for (int k = 0; k < entries; ++k) {
        bytes += "#EXTINF:" + std::to_string(100 + k) + ",Artist " + std::to_string(k) + " - Song" + line_end;
        bytes += "C:\\Music\\track" + std::to_string(k) + ".mp3" + line_end;
    }
    return bytes;
}

std::string PathOf(int k) { return "C:\\Music\\track" + std::to_string(k) + ".mp3"; }

TEST_F(PlaylistFile, PositionPicksLine2pPlus3) {
    const std::string file = Write(Playlist(12));
    for (int p : {0, 1, 2, 7, 11}) {
        EXPECT_EQ(sq::ReadPlaylistPathLine(file, p), PathOf(p)) << "position " << p;
    }
}

TEST_F(PlaylistFile, PositionZeroGivesLineThree) {
    EXPECT_EQ(sq::ReadPlaylistPathLine(Write("h\r\ninfo\r\nthird\r\nfourth\r\n"), 0), "third");
}

TEST_F(PlaylistFile, HeaderOnlyFileGivesTheHeader) {
    EXPECT_EQ(sq::ReadPlaylistPathLine(Write("#EXTM3U\r\n"), 0), "#EXTM3U");
    EXPECT_EQ(sq::ReadPlaylistPathLine(Write("#EXTM3U"), 3), "#EXTM3U");
}

TEST_F(PlaylistFile, FileEndingEarlyGivesItsLastLine) {
    const std::string file = Write(Playlist(3));
    EXPECT_EQ(sq::ReadPlaylistPathLine(file, 3), PathOf(2));
    EXPECT_EQ(sq::ReadPlaylistPathLine(file, 500), PathOf(2));
    // Ending on an information line: that line is the last the file holds.
    EXPECT_EQ(sq::ReadPlaylistPathLine(Write("h\r\ni0\r\np0\r\ni1\r\n"), 1), "i1");
    // An unterminated last line counts as a line.
    EXPECT_EQ(sq::ReadPlaylistPathLine(Write("h\r\ni0\r\np0\r\ni1"), 1), "i1");
}

TEST_F(PlaylistFile, WantedLineWithoutLineEndIsWhole) {
    EXPECT_EQ(sq::ReadPlaylistPathLine(Write("h\r\ni0\r\nC:\\last.mp3"), 0), "C:\\last.mp3");
}

TEST_F(PlaylistFile, PathLineIsReturnedUnchanged) {
    const std::string line = "  C:\\Odd Folder\\ spaced .mp3\t \xe9";
    EXPECT_EQ(sq::ReadPlaylistPathLine(Write("h\r\ni\r\n" + line + "\r\n"), 0), line);
}

TEST_F(PlaylistFile, EmptyAndMissingFilesGiveEmptyText) {
    EXPECT_EQ(sq::ReadPlaylistPathLine(Write(""), 0), "");
    EXPECT_EQ(sq::ReadPlaylistPathLine((path_.parent_path() / "sq_no_such_dir" / "WINAMP.m3u").string(), 0), "");
    EXPECT_EQ(sq::ReadPlaylistPathLine(path_.parent_path().string(), 0), "") << "a folder is not a playlist";
}

TEST_F(PlaylistFile, EmptyLinesAreLinesToo) {
    EXPECT_EQ(sq::ReadPlaylistPathLine(Write("h\r\n\r\n\r\n\r\nx\r\n"), 1), "x");
    EXPECT_EQ(sq::ReadPlaylistPathLine(Write("h\r\n\r\n\r\n\r\nx\r\n"), 0), "");
}

TEST_F(PlaylistFile, BareLineFeedsEndLinesAsWell) {
    EXPECT_EQ(sq::ReadPlaylistPathLine(Write(Playlist(4, "\n")), 2), PathOf(2));
}

TEST_F(PlaylistFile, PositionsOutsideTheSupportedRangeGiveEmptyText) {
    const std::string file = Write(Playlist(2));
    EXPECT_EQ(sq::ReadPlaylistPathLine(file, -1), "");
    EXPECT_EQ(sq::ReadPlaylistPathLine(file, -2), "");
    EXPECT_EQ(sq::ReadPlaylistPathLine(file, sq::kLastPlaylistPosition + 1), "");
    EXPECT_EQ(sq::ReadPlaylistPathLine(file, 70000), "");
    EXPECT_EQ(sq::ReadPlaylistPathLine(file, sq::kLastPlaylistPosition), PathOf(1)) << "still served: ends early";
}

TEST_F(PlaylistFile, LastSupportedPositionInAFullPlaylist) {
    const int entries = static_cast<int>(sq::kLastPlaylistPosition) + 1;
    const std::string file = Write(Playlist(entries));
    EXPECT_EQ(sq::ReadPlaylistPathLine(file, sq::kLastPlaylistPosition), PathOf(entries - 1));
}

// Lines that cross the reader's internal chunk boundaries, in every alignment of the CR LF.
TEST_F(PlaylistFile, LinesAcrossChunkBoundaries) {
    for (std::size_t filler : {65536u - 9u, 65536u - 8u, 65536u - 7u, 65536u - 6u, 65536u, 65536u * 2 + 3}) {
        const std::string info(filler, 'i');
        const std::string path = "C:\\" + std::string(70000, 'p') + ".mp3";
        const std::string file = Write("hdr\r\n" + info + "\r\n" + path + "\r\ninfo2\r\nC:\\b.mp3\r\n");
        EXPECT_EQ(sq::ReadPlaylistPathLine(file, 0), path) << "filler " << filler;
        EXPECT_EQ(sq::ReadPlaylistPathLine(file, 1), "C:\\b.mp3") << "filler " << filler;
        EXPECT_EQ(sq::ReadPlaylistPathLine(file, 2), "C:\\b.mp3") << "filler " << filler;
    }
}

TEST_F(PlaylistFile, LastLineAcrossChunkBoundaryWhenFileEndsEarly) {
    for (std::size_t filler : {65536u - 3u, 65536u - 2u, 65536u - 1u, 65536u}) {
        const std::string tail = "C:\\" + std::string(100, 't');
        const std::string file = Write(std::string(filler, 'h') + "\r\n" + tail + "\r\n");
        EXPECT_EQ(sq::ReadPlaylistPathLine(file, 4), tail) << "filler " << filler;
    }
}

// Line lengths spread around the reader's chunk size, checked against a plain split of the
// same bytes for every position, including those past the end of the file.
TEST_F(PlaylistFile, AgreesWithAPlainSplitAcrossManyChunks) {
    std::string bytes;
    std::vector<std::string> lines;
    unsigned seed = 12345;
    for (int n = 0; n < 301; ++n) {
        seed = seed * 1103515245u + 12345u;
        const std::size_t length = (seed >> 8) % (n % 50 == 7 ? 150000u : 900u);
        std::string line(length, static_cast<char>('a' + n % 26));
        if (!line.empty()) line.front() = static_cast<char>('A' + n % 26);
        lines.push_back(line);
        bytes += line + ((seed >> 4) % 3 == 0 ? "\n" : "\r\n");
    }
    const std::string file = Write(bytes);
    for (long p = 0; p < 160; ++p) {
        const std::size_t wanted = static_cast<std::size_t>(sq::PlaylistPathLineNumber(p));
        const std::string& expected = wanted <= lines.size() ? lines[wanted - 1] : lines.back();
        ASSERT_EQ(sq::ReadPlaylistPathLine(file, p), expected) << "position " << p;
    }
}

}  // namespace
