// The ID3v1 block: fields, the cleaning order and the genre byte.
#include <gtest/gtest.h>

#include "media/mp3_bytes.h"
#include "media/read_helpers.h"

namespace {

using sqtest::Filler;

// Audio-free content before the block: no frame sync, no ID3v2 marker.
std::string WithBlock(const std::string& block) { return Filler(300, 'a') + block; }

TEST(Id3v1, FileWithoutTagsGivesEmptyMembers) {
    sqtest::ReadFixture f;
    for (std::size_t length : {128u, 200u, 5000u}) {
        auto read = f.Read(Filler(length, 'a'));
        ASSERT_FALSE(read.error) << length << ": " << read.error->Description;
        for (const std::string* member : {&read.mp3->Songname, &read.mp3->Artist, &read.mp3->Album, &read.mp3->Year,
                                          &read.mp3->Comment, &read.mp3->Genre, &read.mp3->Track}) {
            EXPECT_EQ(*member, "") << length;
        }
    }
}

TEST(Id3v1, FieldsTakenWhole) {
    sqtest::Id3v1 v1;
    v1.title = "Thirty characters of title ok";
    v1.title += "!";
    v1.artist = "The Artist";
    v1.album = "Album";
    v1.year = "1999";
    v1.comment = "Great9";
    v1.genre = 17;
    sqtest::ReadFixture f;
    auto read = f.Read(WithBlock(v1.Encode()));
    ASSERT_FALSE(read.error) << read.error->Description;
    EXPECT_EQ(read.mp3->Songname, "Thirty characters of title ok!");
    EXPECT_EQ(read.mp3->Artist, "The Artist");
    EXPECT_EQ(read.mp3->Album, "Album");
    EXPECT_EQ(read.mp3->Year, "1999");
    EXPECT_EQ(read.mp3->Comment, "Great9");
    EXPECT_EQ(read.mp3->Genre, "Rock");
    EXPECT_EQ(read.mp3->Track, "");
}

TEST(Id3v1, TrailingSpacesGoBeforeNulsAreRemoved) {
    const struct {
        std::string field;
        const char* value;
    } rows[] = {
        {"Song" + Filler(26, '\0'), "Song"},
        {"Song" + Filler(26, ' '), "Song"},
        {"Song " + Filler(25, '\0'), "Song "},
        {std::string("So\0ng", 5) + Filler(25, ' '), "Song"},
        {std::string("  Song", 6) + Filler(24, '\0'), "  Song"},
        {"Song" + Filler(10, '\0') + Filler(16, ' '), "Song"},
        {Filler(30, ' '), ""},
        {Filler(30, '\0'), ""},
    };
    for (const auto& row : rows) {
        std::string block = sqtest::Id3v1{}.Encode();
        for (std::size_t offset : {3u, 33u, 63u}) block.replace(offset, 30, row.field);
        sqtest::ReadFixture f;
        auto read = f.Read(WithBlock(block));
        ASSERT_FALSE(read.error) << read.error->Description;
        EXPECT_EQ(read.mp3->Songname, row.value);
        EXPECT_EQ(read.mp3->Artist, row.value);
        EXPECT_EQ(read.mp3->Album, row.value);
    }
}

TEST(Id3v1, YearKeepsOneSpaceBeforeNuls) {
    std::string block = sqtest::Id3v1{}.Encode();
    block.replace(93, 4, std::string("99 \0", 4));
    sqtest::ReadFixture f;
    auto read = f.Read(WithBlock(block));
    ASSERT_FALSE(read.error);
    EXPECT_EQ(read.mp3->Year, "99 ");
}

TEST(Id3v1, CommentLosesEveryCodeUpTo47) {
    const struct {
        std::string comment;
        const char* value;
    } rows[] = {
        {"Nice track, 2001!", "Nicetrack2001"},
        {"a-b/c.d(e)f*g+h'i\"j#k$l%m&n", "abcdefghijklmn"},
        {"09:;<=>?@AZ[\\]^_`az{|}~", "09:;<=>?@AZ[\\]^_`az{|}~"},
        {"\x01\x1F\tTab\nLine", "TabLine"},
        {"caf\xE9 \xA0\x80", "caf\xE9\xA0\x80"},
    };
    for (const auto& row : rows) {
        sqtest::Id3v1 v1;
        v1.comment = row.comment;
        sqtest::ReadFixture f;
        auto read = f.Read(WithBlock(v1.Encode()));
        ASSERT_FALSE(read.error);
        EXPECT_EQ(read.mp3->Comment, row.value) << row.comment;
    }
}

TEST(Id3v1, CommentKeepsItsLastTwoBytes) {
    // An ID3v1.1 track number (NUL, then the number) is part of the comment, not a Track.
    std::string block = sqtest::Id3v1{}.Encode();
    block.replace(97, 30, "Great" + Filler(23, '\0') + sqtest::Bytes({0, '9'}));
    sqtest::ReadFixture f;
    auto read = f.Read(WithBlock(block));
    ASSERT_FALSE(read.error);
    EXPECT_EQ(read.mp3->Comment, "Great9");
    EXPECT_EQ(read.mp3->Track, "");

    block.replace(125, 2, sqtest::Bytes({0, 7}));
    read = f.Read(WithBlock(block));
    EXPECT_EQ(read.mp3->Comment, "Great");
}

TEST(Id3v1, GenreByteThroughTheGenreTable) {
    const struct {
        int byte;
        const char* genre;
    } rows[] = {{0, "Blues"}, {12, "Other"}, {17, "Rock"}, {125, "Dance Hall"}, {126, ""}, {200, ""}, {255, ""}};
    for (const auto& row : rows) {
        sqtest::Id3v1 v1;
        v1.genre = row.byte;
        sqtest::ReadFixture f;
        auto read = f.Read(WithBlock(v1.Encode()));
        ASSERT_FALSE(read.error);
        EXPECT_EQ(read.mp3->Genre, row.genre) << row.byte;
    }
}

std::string TitledBlock() {
    sqtest::Id3v1 v1;
    v1.title = "Title";
    return v1.Encode();
}

TEST(Id3v1, MarkerIsExactlyTagAt128FromTheEnd) {
    for (const char* marker : {"tag", "TAg", "TA\0"}) {
        std::string block = TitledBlock();
        block.replace(0, 3, marker, 3);
        sqtest::ReadFixture f;
        auto read = f.Read(WithBlock(block));
        ASSERT_FALSE(read.error);
        EXPECT_EQ(read.mp3->Songname, "") << marker;
    }
    // One byte more after the block moves it off its place.
    sqtest::ReadFixture f;
    auto read = f.Read(WithBlock(TitledBlock() + "x"));
    EXPECT_EQ(read.mp3->Songname, "");
    // A file that is nothing but the block.
    read = f.Read(TitledBlock());
    ASSERT_FALSE(read.error);
    EXPECT_EQ(read.mp3->Songname, "Title");
}

TEST(Id3v1, FileShorterThanTheBlockFails) {
    for (std::size_t length : {0u, 1u, 3u, 127u}) {
        sqtest::ReadFixture f;
        auto read = f.Read(Filler(length, 'a'), "short.mp3");
        ASSERT_TRUE(read.error) << length;
        EXPECT_EQ(read.error->Number, 62 + 19988);
        EXPECT_EQ(read.error->Source, "clsMP3");
        EXPECT_EQ(read.error->Description, "Input past end of file in clsMP3 (short.mp3)");
        EXPECT_EQ(f.files.open_files(), 0);
    }
}

}  // namespace
