// ID3v2.2/2.3 tags: the marker, the size, the plain text search, the low size byte, the flags,
// the genre text and the precedence over ID3v1.
#include <gtest/gtest.h>

#include <random>

#include "media/id3v2_body.h"
#include "media/mp3_bytes.h"
#include "media/read_helpers.h"
#include "media/sparse_file.h"

namespace {

using sqtest::Bytes;
using sqtest::Filler;
using sqtest::V2Frame;
using sqtest::V3Frame;

// A tag, some audio-free bytes and an optional ID3v1 block.
std::string TaggedFile(const std::string& tag, const std::string& v1 = "") { return tag + Filler(400, 'a') + v1; }

sqtest::Id3v1 V1Values() {
    sqtest::Id3v1 v1;
    v1.title = "V1 Title";
    v1.artist = "V1 Artist";
    v1.album = "V1 Album";
    v1.year = "1990";
    v1.comment = "V1 comment";
    v1.genre = 17;
    return v1;
}

TEST(Id3v2, Version3FramesReplaceId3v1Values) {
    const std::string body = V3Frame("TIT2", "Title") + V3Frame("TPE1", "Artist") + V3Frame("TALB", "Album") +
                             V3Frame("TYER", "2001") + V3Frame("TCON", "Pop") + V3Frame("TRCK", "5/12") +
                             Filler(64);
    sqtest::ReadFixture f;
    auto read = f.Read(TaggedFile(sqtest::Id3v2Tag(3, body), V1Values().Encode()));
    ASSERT_FALSE(read.error) << read.error->Description;
    EXPECT_EQ(read.mp3->Songname, "Title");
    EXPECT_EQ(read.mp3->Artist, "Artist");
    EXPECT_EQ(read.mp3->Album, "Album");
    EXPECT_EQ(read.mp3->Year, "2001");
    EXPECT_EQ(read.mp3->Genre, "Pop");
    EXPECT_EQ(read.mp3->Track, "5/12");
    EXPECT_EQ(read.mp3->Comment, "V1comment");  // comments come only from ID3v1
}

TEST(Id3v2, Version2FramesUseThreeLetterIdentifiers) {
    const std::string body = V2Frame("TT2", "Title") + V2Frame("TOA", "Artist") + V2Frame("TAL", "Album") +
                             V2Frame("TYE", "2002") + V2Frame("TCO", "(8)") + V2Frame("TRK", "3") +
                             V2Frame("TP1", "Not read") + Filler(20);
    sqtest::ReadFixture f;
    auto read = f.Read(TaggedFile(sqtest::Id3v2Tag(2, body)));
    ASSERT_FALSE(read.error) << read.error->Description;
    EXPECT_EQ(read.mp3->Songname, "Title");
    EXPECT_EQ(read.mp3->Artist, "Artist");
    EXPECT_EQ(read.mp3->Album, "Album");
    EXPECT_EQ(read.mp3->Year, "2002");
    EXPECT_EQ(read.mp3->Genre, "");
    EXPECT_EQ(read.mp3->Track, "3");
}

TEST(Id3v2, EmptyFrameTextKeepsTheId3v1Value) {
    const std::string body = V3Frame("TIT2", "") + V3Frame("TPE1", "New Artist") + V3Frame("TRCK", "") + Filler(20);
    sqtest::ReadFixture f;
    auto read = f.Read(TaggedFile(sqtest::Id3v2Tag(3, body), V1Values().Encode()));
    ASSERT_FALSE(read.error) << read.error->Description;
    EXPECT_EQ(read.mp3->Songname, "V1 Title");
    EXPECT_EQ(read.mp3->Artist, "New Artist");
    EXPECT_EQ(read.mp3->Album, "V1 Album");
    EXPECT_EQ(read.mp3->Track, "");
}

TEST(Id3v2, GenreFrameTextAlwaysReplacesTheGenre) {
    const struct {
        std::string text;
        std::string genre;
    } rows[] = {
        {"(17)", ""},        {"(17)Rock", "Rock"},   {"17", "Rock"},       {"Rock", "Rock"},
        {"17.5", "Techno"},  {"16.5", "Reggae"},     {" 12 ", "Other"},    {"(12)(17)", "(17)"},
        {"((17))Folk", ")Folk"}, {"(17", "(17"},      {"", ""},             {"-1", ""},
        {"300", ""},         {"(1)42", "Soul"},      {"+0", "Blues"},      {std::string("17\0", 3), std::string("17\0", 3)},
    };
    for (const auto& row : rows) {
        const std::string body = V3Frame("TCON", row.text) + Filler(20);
        sqtest::ReadFixture f;
        auto read = f.Read(TaggedFile(sqtest::Id3v2Tag(3, body), V1Values().Encode()));
        ASSERT_FALSE(read.error) << row.text << ": " << read.error->Description;
        EXPECT_EQ(read.mp3->Genre, row.genre) << "'" << row.text << "'";
    }
}

TEST(Id3v2, GenreNumberOutsideSixteenBitsFails) {
    const std::string body = V3Frame("TIT2", "Kept") + V3Frame("TCON", "32768") + Filler(20);
    sqtest::ReadFixture f;
    auto read = f.Read(TaggedFile(sqtest::Id3v2Tag(3, body)), "big.mp3");
    ASSERT_TRUE(read.error);
    EXPECT_EQ(read.error->Number, 6 + 19988);
    EXPECT_EQ(read.error->Source, "clsMP3");
    EXPECT_EQ(read.error->Description, "Overflow in clsMP3 (big.mp3)");
    EXPECT_EQ(read.mp3->Songname, "Kept");
    EXPECT_EQ(read.mp3->Genre, "32768");
    EXPECT_EQ(f.files.open_files(), 0);
}

TEST(Id3v2, OtherVersionsEndTheStepWithoutGenreLookup) {
    for (int version : {0, 1, 4, 5, 255}) {
        const std::string body = V3Frame("TIT2", "Ignored") + Filler(20);
        sqtest::ReadFixture f;
        auto read = f.Read(TaggedFile(sqtest::Id3v2Tag(version, body), V1Values().Encode()));
        ASSERT_FALSE(read.error) << version;
        EXPECT_EQ(read.mp3->Songname, "V1 Title") << version;
        EXPECT_EQ(read.mp3->Genre, "17") << version;
    }
}

TEST(Id3v2, TagLargerThanTheFileEndsTheStepWithoutGenreLookup) {
    const std::string file = TaggedFile(sqtest::Id3v2Header(3, 100000) + V3Frame("TIT2", "Ignored"),
                                        V1Values().Encode());
    sqtest::ReadFixture f;
    auto read = f.Read(file);
    ASSERT_FALSE(read.error);
    EXPECT_EQ(read.mp3->Songname, "V1 Title");
    EXPECT_EQ(read.mp3->Genre, "17");

    // Equal to the length is not larger: the body is what the file holds after the header.
    const std::string body = V3Frame("TIT2", "Read") + Filler(300);
    std::string exact = sqtest::Id3v2Header(3, 0) + body;
    exact.replace(0, 10, sqtest::Id3v2Header(3, exact.size()));
    read = f.Read(exact);
    ASSERT_FALSE(read.error) << read.error->Description;
    EXPECT_EQ(read.mp3->Songname, "Read");
}

TEST(Id3v2, EmptyBodyGoesOnToTheGenreLookupWhateverTheVersion) {
    for (int version : {2, 3, 4}) {
        sqtest::ReadFixture f;
        auto read = f.Read(TaggedFile(sqtest::Id3v2Header(version, 0), V1Values().Encode()));
        ASSERT_FALSE(read.error);
        EXPECT_EQ(read.mp3->Genre, "Rock") << version;
    }
}

TEST(Id3v2, MarkerIsTheBytesD3AtOffsetsOneAndTwo) {
    const std::string body = V3Frame("TIT2", "Found") + Filler(20);
    const struct {
        std::string start;
        bool found;
    } rows[] = {{"ID3", true}, {"XD3", true}, {std::string("\0D3", 3), true}, {"Id3", false}, {"ID4", false},
                {"IE3", false}};
    for (const auto& row : rows) {
        std::string tag = sqtest::Id3v2Tag(3, body);
        tag.replace(0, 3, row.start);
        sqtest::ReadFixture f;
        auto read = f.Read(TaggedFile(tag));
        ASSERT_FALSE(read.error);
        EXPECT_EQ(read.mp3->Songname, row.found ? "Found" : "") << row.start;
    }
}

// Bit 7 of each size byte counts: a reading that masked it would end the body before the frame,
// or find no tag at all.
TEST(Id3v2, SizeBytesAreTakenWhole) {
    const struct {
        int size[4];
        std::uint64_t body_size;
        std::size_t frame_at;
    } rows[] = {
        {{0, 0, 1, 0x85}, 261, 200},      // masked: 133
        {{0, 0, 0x81, 0}, 16512, 200},    // masked: 128
        {{0, 0x80, 0, 0}, 2097152, 0},    // masked: 0
        {{0x80, 0, 0, 0}, 268435456, 0},  // masked: 0
    };
    for (const auto& row : rows) {
        const std::string start = "ID3" + Bytes({3, 0, 0, row.size[0], row.size[1], row.size[2], row.size[3]}) +
                                  Filler(row.frame_at, 'x') + V3Frame("TIT2", "Past the mask");
        sqtest::SparseFileOpener files;
        files.Add("song.mp3", start, 10 + row.body_size + 400);
        sq::clsMP3 mp3(files);
        ASSERT_NO_THROW(mp3.ReadMP3("song.mp3")) << row.body_size;
        EXPECT_EQ(mp3.Songname, "Past the mask") << row.body_size;
    }
}

TEST(Id3v2, OnlyTheLowSizeByteCounts) {
    const std::string text(400, 'L');
    const std::string body = sqtest::V3FrameWithSize("TIT2", 300, std::string(1, '\0') + text) + Filler(10);
    sqtest::ReadFixture f;
    auto read = f.Read(TaggedFile(sqtest::Id3v2Tag(3, body)));
    ASSERT_FALSE(read.error);
    EXPECT_EQ(read.mp3->Songname, std::string(43, 'L'));

    const std::string v2body = V2Frame("TT2", std::string(299, 'M')) + Filler(10);
    read = f.Read(TaggedFile(sqtest::Id3v2Tag(2, v2body)));
    ASSERT_FALSE(read.error);
    EXPECT_EQ(read.mp3->Songname, std::string(43, 'M'));
}

TEST(Id3v2, LowSizeByteZeroFailsAfterTheKindsBeforeIt) {
    const std::string body = V3Frame("TIT2", "Title") + V3Frame("TPE1", "Artist") +
                             sqtest::V3FrameWithSize("TALB", 256, std::string(1, '\0') + std::string(255, 'A')) +
                             Filler(10);
    sqtest::ReadFixture f;
    auto read = f.Read(TaggedFile(sqtest::Id3v2Tag(3, body), V1Values().Encode()), "zero.mp3");
    ASSERT_TRUE(read.error);
    EXPECT_EQ(read.error->Number, 5 + 19988);
    EXPECT_EQ(read.error->Description, "Invalid procedure call or argument in clsMP3 (zero.mp3)");
    // Songname is looked up before Album, Artist after it.
    EXPECT_EQ(read.mp3->Songname, "Title");
    EXPECT_EQ(read.mp3->Album, "V1 Album");
    EXPECT_EQ(read.mp3->Artist, "V1 Artist");
    EXPECT_EQ(read.mp3->Genre, "17");
    EXPECT_EQ(f.files.open_files(), 0);
}

TEST(Id3v2, CompressedOrEncryptedVersion3FramesAreSkipped) {
    const struct {
        int flags;
        bool skipped;
    } rows[] = {{0x80, true}, {0x40, true}, {0xC0, true}, {0x20, false}, {0x01, false}, {0x00, false}};
    for (const auto& row : rows) {
        const std::string body = V3Frame("TIT2", "Flagged", row.flags) + Filler(10);
        sqtest::ReadFixture f;
        auto read = f.Read(TaggedFile(sqtest::Id3v2Tag(3, body), V1Values().Encode()));
        ASSERT_FALSE(read.error);
        EXPECT_EQ(read.mp3->Songname, row.skipped ? "V1 Title" : "Flagged") << row.flags;
    }
    // A skipped frame is not read further, so its zero size byte does no harm.
    const std::string body = sqtest::V3FrameWithSize("TIT2", 0, "", 0x80) + Filler(10);
    sqtest::ReadFixture f;
    auto read = f.Read(TaggedFile(sqtest::Id3v2Tag(3, body)));
    EXPECT_FALSE(read.error);
}

TEST(Id3v2, IdentifiersAreFoundByPlainTextSearch) {
    // "TPE1" inside the title's text comes before the real artist frame.
    const std::string title = "xTPE1" + Bytes({0, 0, 0, 5, 0, 0, 0}) + "Fake!" + "yz";
    const std::string body = V3Frame("TIT2", title) + V3Frame("TPE1", "Real Artist") + Filler(10);
    sqtest::ReadFixture f;
    auto read = f.Read(TaggedFile(sqtest::Id3v2Tag(3, body)));
    ASSERT_FALSE(read.error) << read.error->Description;
    EXPECT_EQ(read.mp3->Songname, title);
    EXPECT_EQ(read.mp3->Artist, "Fake");

    // An identifier in the padding counts too, and the search is case-sensitive.
    const std::string padded = V3Frame("tit2", "lower") + Filler(5) + "TIT2" + Bytes({0, 0, 0, 4, 0, 0, 0}) + "Pad" + Filler(10);
    read = f.Read(TaggedFile(sqtest::Id3v2Tag(3, padded)));
    ASSERT_FALSE(read.error) << read.error->Description;
    EXPECT_EQ(read.mp3->Songname, "Pad");
}

TEST(Id3v2, FrameTextIsTakenByteForByte) {
    std::string utf16 = sqtest::V3FrameWithSize("TIT2", 5, Bytes({1, 0xFF, 0xFE, 'A', 0}));
    const std::string body = V3Frame("TPE1", std::string("Nul\0end", 7)) + utf16 + Filler(10);
    sqtest::ReadFixture f;
    auto read = f.Read(TaggedFile(sqtest::Id3v2Tag(3, body)));
    ASSERT_FALSE(read.error) << read.error->Description;
    EXPECT_EQ(read.mp3->Artist, std::string("Nul\0end", 7));
    EXPECT_EQ(read.mp3->Songname, Bytes({0xFF, 0xFE, 'A', 0}));
}

TEST(Id3v2, TextStopsWhereTheBodyEnds) {
    const std::string body = sqtest::V3FrameWithSize("TIT2", 50, std::string(1, '\0') + "Short");
    sqtest::ReadFixture f;
    auto read = f.Read(TaggedFile(sqtest::Id3v2Tag(3, body)));
    ASSERT_FALSE(read.error) << read.error->Description;
    EXPECT_EQ(read.mp3->Songname, "Short");

    // The text would begin just past the body: empty text, the value stays.
    const std::string no_text = "TIT2" + Bytes({0, 0, 0, 9, 0, 0});
    read = f.Read(TaggedFile(sqtest::Id3v2Tag(3, no_text), V1Values().Encode()));
    ASSERT_FALSE(read.error) << read.error->Description;
    EXPECT_EQ(read.mp3->Songname, "V1 Title");
}

TEST(Id3v2, SizeOrFlagsBytePastTheBodyFails) {
    const struct {
        int version;
        std::string body;
    } rows[] = {
        {3, "TIT2" + Bytes({0, 0, 0})},           // size byte at +7 missing
        {3, "TIT2" + Bytes({0, 0, 0, 9, 0})},     // flags byte at +9 missing
        {2, "TT2" + Bytes({0, 0})},               // size byte at +5 missing
        {3, Filler(30) + "TYER"},
    };
    for (const auto& row : rows) {
        sqtest::ReadFixture f;
        auto read = f.Read(TaggedFile(sqtest::Id3v2Tag(row.version, row.body)), "cut.mp3");
        ASSERT_TRUE(read.error) << row.body.size();
        EXPECT_EQ(read.error->Number, 5 + 19988);
        EXPECT_EQ(read.error->Description, "Invalid procedure call or argument in clsMP3 (cut.mp3)");
    }
}

TEST(Id3v2, PositionsPastTheSixteenBitRangeOverflow) {
    // Positions count from 1; version 3 also needs the position plus 9 within 32,767.
    const struct {
        int version;
        std::size_t index;  // 0-based start of the identifier in the body
        bool overflow;
    } rows[] = {
        {3, 32757, false}, {3, 32758, true}, {3, 32766, true}, {3, 32767, true}, {3, 40000, true},
        {2, 32766, false}, {2, 32767, true}, {2, 50000, true},
    };
    for (const auto& row : rows) {
        const std::string frame = row.version == 3 ? V3Frame("TIT2", "Far") : V2Frame("TT2", "Far");
        const std::string body = Filler(row.index) + frame + Filler(10);
        sqtest::ReadFixture f;
        auto read = f.Read(TaggedFile(sqtest::Id3v2Tag(row.version, body)), "far.mp3");
        if (row.overflow) {
            ASSERT_TRUE(read.error) << row.version << " at " << row.index;
            EXPECT_EQ(read.error->Number, 6 + 19988);
            EXPECT_EQ(read.error->Description, "Overflow in clsMP3 (far.mp3)");
        } else {
            ASSERT_FALSE(read.error) << row.version << " at " << row.index << ": " << read.error->Description;
            EXPECT_EQ(read.mp3->Songname, "Far");
        }
    }
}

TEST(Id3v2, ALaterKindFailingLeavesTheGenreNumberUnlookedUp) {
    const std::string body = V3Frame("TCON", "17") + "TRCK" + Bytes({0, 0, 0, 0, 0, 0}) + Filler(10);
    sqtest::ReadFixture f;
    auto read = f.Read(TaggedFile(sqtest::Id3v2Tag(3, body)));
    ASSERT_TRUE(read.error);
    EXPECT_EQ(read.error->Number, 5 + 19988);
    EXPECT_EQ(read.mp3->Genre, "17");
}

// The first occurrences in the body searched whole, as one part.
sq::FirstOccurrences WholeBodyOccurrences(std::string_view body, std::uint8_t version) {
    sq::FirstOccurrences found;
    sq::FindMissingFrameIdentifiers(body, 0, version, found);
    return found;
}

// What the lookup makes of each kind: its text, "skip", or the failure's number.
std::string Lookup(std::string_view body, std::uint8_t version, const sq::FirstOccurrences& found) {
    std::string out;
    for (const auto& at : found) {
        try {
            const auto text = at ? sq::FrameText(body, version, *at) : std::optional<std::string>();
            out += !at ? "none" : text ? *text : "skip";
        } catch (const sq::ClsMP3Error& e) {
            out += "error " + std::to_string(e.Number);
        }
        out += '|';
    }
    return out;
}

TEST(Id3v2, BodyReadInPartsAgreesWithTheWholeBody) {
    // Identifiers and their fragments around every place the reading splits the body: the
    // start read with the header, the held start, and the searched parts past it.
    const std::size_t start = 4096;
    const std::size_t held = sq::kHeldBodyBytes;
    const std::size_t near[] = {0, 300, start - 270, start - 4, start - 1, 32756, 32757, 32758, 32766, 32767,
                                held - 270, held - 3, held - 1, held + 65533, held + 65534, held + 65535};
    std::mt19937 random(5);
    for (int round = 0; round < 300; ++round) {
        const std::uint8_t version = 2 + round % 2;
        const char* const v3[] = {"TIT2", "TALB", "TPE1", "TYER", "TCON", "TRCK", "TIT", "TR", "T"};
        const char* const v2[] = {"TT2", "TAL", "TOA", "TYE", "TCO", "TRK", "TT", "T"};
        const std::size_t size = 1 + random() % (held + 70000);
        std::string body(size, 'x');
        for (int k = 0; k < 8; ++k) {
            const std::string id = version == 3 ? v3[random() % 9] : v2[random() % 8];
            std::size_t at = random() % 2 ? near[random() % 16] + random() % 3 : random() % size;
            at = std::min(at, size - 1);
            std::string frame = id;
            for (int b = 0; b < 12; ++b) frame += static_cast<char>(random() % 4 ? random() % 40 : random() % 256);
            body.replace(at, std::min(frame.size(), size - at), frame, 0, std::min(frame.size(), size - at));
        }
        sqtest::MemoryFileOpener files;
        files.Add("tag", "0123456789" + body);
        auto file = files.OpenRead("tag");
        const sq::HeldBody read =
            sq::ReadId3v2Body(*file, 10, size, version, std::string_view(body).substr(0, std::min(size, start)));
        const sq::FirstOccurrences whole = WholeBodyOccurrences(body, version);
        ASSERT_EQ(read.found, whole) << "round " << round;
        ASSERT_EQ(Lookup(read.bytes, version, read.found), Lookup(body, version, whole)) << "round " << round;
    }
}

}  // namespace
