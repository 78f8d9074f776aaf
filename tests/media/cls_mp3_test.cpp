// clsMP3's two methods as a caller meets them: ReadMP3 as a whole (the reset, the order of the two
// steps, one open per step, and failures), and SearchDir over a folder listing given to it (the
// two passes, the list formats and the waiting-events calls).
#include "media/cls_mp3.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "media/memory_file.h"
#include "media/mp3_bytes.h"
#include "media/read_helpers.h"

namespace {

using sqtest::Filler;

std::string FullFile() {
    sqtest::Id3v1 v1;
    v1.title = "Title";
    v1.artist = "Artist";
    v1.album = "Album";
    v1.year = "2000";
    v1.comment = "Comment";
    v1.genre = 13;
    std::string audio = sqtest::Frame(sq::FrameHeader{});
    audio.resize(16000 * 61, '\0');
    return sqtest::Id3v2Tag(3, sqtest::V3Frame("TRCK", "7") + Filler(30)) + audio + v1.Encode();
}

TEST(ReadMP3, FillsEveryReadMemberOfATaggedFile) {
    sqtest::ReadFixture f;
    auto read = f.Read(FullFile());
    ASSERT_FALSE(read.error) << read.error->Description;
    const sq::clsMP3& mp3 = *read.mp3;
    EXPECT_EQ(mp3.MpegVersion, "1");
    EXPECT_EQ(mp3.MpegLayer, "3");
    EXPECT_EQ(mp3.Mode, "stereo");
    EXPECT_EQ(mp3.Frequency, "44100");
    EXPECT_EQ(mp3.BitRate, "128");
    EXPECT_EQ(mp3.Duration, "1m 1s");
    EXPECT_FALSE(mp3.VBR);
    EXPECT_EQ(mp3.Songname, "Title");
    EXPECT_EQ(mp3.Artist, "Artist");
    EXPECT_EQ(mp3.Album, "Album");
    EXPECT_EQ(mp3.Year, "2000");
    EXPECT_EQ(mp3.Comment, "Comment");
    EXPECT_EQ(mp3.Genre, "Pop");
    EXPECT_EQ(mp3.Track, "7");
    // Each step opens the file once and closes it.
    EXPECT_EQ(f.files.opens(), 2);
    EXPECT_EQ(f.files.open_files(), 0);
}

TEST(ReadMP3, StartsFromClearedMembersButKeepsTheFolderLists) {
    sqtest::ReadFixture f;
    ASSERT_FALSE(f.Read(FullFile(), "full.mp3").error);
    f.mp3.VBR = true;
    f.mp3.Files = "C:\\a.mp3|";
    f.mp3.Subdirs = "Live|";
    auto read = f.Read(Filler(500, 'a'), "plain.mp3");
    ASSERT_FALSE(read.error);
    for (const std::string* member :
         {&f.mp3.Duration, &f.mp3.Frequency, &f.mp3.Mode, &f.mp3.MpegLayer, &f.mp3.MpegVersion, &f.mp3.BitRate,
          &f.mp3.Songname, &f.mp3.Artist, &f.mp3.Album, &f.mp3.Year, &f.mp3.Comment, &f.mp3.Genre, &f.mp3.Track}) {
        EXPECT_EQ(*member, "");
    }
    EXPECT_FALSE(f.mp3.VBR);
    EXPECT_EQ(f.mp3.Files, "C:\\a.mp3|");
    EXPECT_EQ(f.mp3.Subdirs, "Live|");
}

TEST(ReadMP3, FileThatCannotBeOpened) {
    const struct {
        const char* name;
        long cause;
        long number;
        const char* text;
    } rows[] = {
        {"missing", 53, 20041, "File not found"},
        {"locked", 70, 20058, "Permission denied"},
        {"folder", 75, 20063, "Path/File access error"},
    };
    for (const auto& row : rows) {
        sqtest::ReadFixture f;
        ASSERT_FALSE(f.Read(FullFile(), "before.mp3").error);
        const std::string path = std::string("C:\\Music\\") + row.name + ".mp3";
        if (row.cause != 53) f.files.AddUnopenable(path, row.cause);
        auto read = f.ReadPath(path);
        ASSERT_TRUE(read.error) << row.name;
        EXPECT_EQ(read.error->Number, row.number) << row.name;
        EXPECT_EQ(read.error->Source, "clsMP3");
        EXPECT_EQ(read.error->Description, std::string(row.text) + " in clsMP3 (" + path + ")");
        // The reset happened before the failure.
        EXPECT_EQ(f.mp3.Songname, "");
        EXPECT_EQ(f.mp3.BitRate, "");
    }
}

TEST(ReadMP3, TagStepFailureKeepsTheStreamAndId3v1Values) {
    sqtest::Id3v1 v1;
    v1.title = "V1";
    std::string file = sqtest::Id3v2Tag(3, "TIT2" + sqtest::Bytes({0, 0, 0, 0, 0, 0}) + Filler(10)) +
                       sqtest::Frame(sq::FrameHeader{}, 4000) + v1.Encode();
    sqtest::ReadFixture f;
    auto read = f.Read(file, "bad tag.mp3");
    ASSERT_TRUE(read.error);
    EXPECT_EQ(read.error->Number, 19993);
    EXPECT_EQ(read.error->Description, "Invalid procedure call or argument in clsMP3 (bad tag.mp3)");
    EXPECT_EQ(f.mp3.BitRate, "128");
    EXPECT_EQ(f.mp3.Songname, "V1");
    EXPECT_EQ(f.files.open_files(), 0);
    EXPECT_EQ(f.files.opens(), 2);
}

TEST(ReadMP3, ReadsOnlyWhatItNeeds) {
    // A 4 MB file whose audio starts after a short tag: the search stops at the first frame,
    // and the tag step reads the ID3v1 block, the ID3v2 header and body.
    sqtest::ReadFixture f;
    ASSERT_FALSE(f.Read(FullFile()).error);
    EXPECT_LT(f.files.bytes_read(), 64u * 1024u);
}

TEST(ReadMP3, ReadsACoverPictureOnce) {
    // The search goes through the tag to the audio; the tag step needs only the frames before
    // the picture.
    const std::string picture = sqtest::V3Frame("APIC", Filler(1 << 20, 'p'));
    const std::string tag = sqtest::Id3v2Tag(3, sqtest::V3Frame("TIT2", "Title") + sqtest::V3Frame("TPE1", "Artist") +
                                                    sqtest::V3Frame("TALB", "Album") + sqtest::V3Frame("TYER", "2001") +
                                                    sqtest::V3Frame("TCON", "Rock") + sqtest::V3Frame("TRCK", "3") +
                                                    picture);
    sqtest::ReadFixture f;
    auto read = f.Read(tag + FullFile());
    ASSERT_FALSE(read.error) << read.error->Description;
    EXPECT_EQ(f.mp3.Songname, "Title");
    EXPECT_EQ(f.mp3.Track, "3");
    EXPECT_EQ(f.mp3.BitRate, "128");
    EXPECT_LT(f.files.bytes_read(), tag.size() + 16u * 1024u);
}

// Answers each pattern with fixed entries, in the order given.
class FakeLister final : public sq::FolderLister {
public:
    std::map<std::string, std::vector<sq::FolderEntry>> entries;
    std::vector<std::string> patterns;
    std::function<void()> during_folder_pass;

    void List(const std::string& pattern, const std::function<void(const sq::FolderEntry&)>& visit) override {
        patterns.push_back(pattern);
        const auto found = entries.find(pattern);
        if (found == entries.end()) return;
        for (const sq::FolderEntry& entry : found->second) visit(entry);
    }
};

struct SearchFixture {
    sqtest::MemoryFileOpener files;
    sq::clsMP3 mp3{files};
    FakeLister lister;
    int events = 0;
    std::function<void()> on_event;
    bool Search(const std::string& root, const std::string& type) {
        return mp3.SearchDir(root, type, lister, [this] {
            ++events;
            if (on_event) on_event();
        });
    }
};

const std::vector<sq::FolderEntry> kMusicFolder = {
    {".", true}, {"..", true}, {"a.mp3", false}, {"Live", true}, {"b.mp3", false}, {"notes.txt", false}};

TEST(SearchDir, ListsMatchingFilesWithTheirPathAndSubfolderNames) {
    SearchFixture s;
    s.lister.entries["C:\\Music\\*.mp3"] = {{"a.mp3", false}, {"b.mp3", false}};
    s.lister.entries["C:\\Music\\*.*"] = kMusicFolder;
    EXPECT_TRUE(s.Search("C:\\Music\\", "*.mp3"));
    EXPECT_EQ(s.mp3.Files, "C:\\Music\\a.mp3|C:\\Music\\b.mp3|");
    EXPECT_EQ(s.mp3.Subdirs, "Live|");
    EXPECT_EQ(s.lister.patterns, (std::vector<std::string>{"C:\\Music\\*.mp3", "C:\\Music\\*.*"}));
}

TEST(SearchDir, FilePassHasNoAttributeTest) {
    SearchFixture s;
    s.lister.entries["C:\\Music\\*.*"] = kMusicFolder;
    EXPECT_TRUE(s.Search("C:\\Music\\", "*.*"));
    EXPECT_EQ(s.mp3.Files,
              "C:\\Music\\.|C:\\Music\\..|C:\\Music\\a.mp3|C:\\Music\\Live|C:\\Music\\b.mp3|C:\\Music\\notes.txt|");
    EXPECT_EQ(s.mp3.Subdirs, "Live|");
}

TEST(SearchDir, RootWithoutSeparatorIsUsedAsItIs) {
    SearchFixture s;
    s.lister.entries["C:\\Music*.mp3"] = {{"Music1.mp3", false}};
    EXPECT_TRUE(s.Search("C:\\Music", "*.mp3"));
    EXPECT_EQ(s.mp3.Files, "C:\\MusicMusic1.mp3|");
    EXPECT_EQ(s.lister.patterns[1], "C:\\Music*.*");
}

TEST(SearchDir, NothingFoundGivesEmptyListsWithoutSeparators) {
    SearchFixture s;
    s.mp3.Files = "old|";
    s.mp3.Subdirs = "old|";
    EXPECT_TRUE(s.Search("C:\\Nowhere\\", "*.mp3"));
    EXPECT_EQ(s.mp3.Files, "");
    EXPECT_EQ(s.mp3.Subdirs, "");

    s.lister.entries["C:\\Flat\\*.*"] = {{".", true}, {"..", true}, {"x.mp3", false}};
    EXPECT_TRUE(s.Search("C:\\Flat\\", "*.wav"));
    EXPECT_EQ(s.mp3.Subdirs, "");
}

TEST(SearchDir, KeepsThePlatformOrderAndDuplicates) {
    SearchFixture s;
    s.lister.entries["D:\\*.*"] = {{"Zed", true}, {"alpha", true}, {"Zed", true}};
    EXPECT_TRUE(s.Search("D:\\", "*.*"));
    EXPECT_EQ(s.mp3.Subdirs, "Zed|alpha|Zed|");
}

TEST(SearchDir, LetsWaitingEventsRunBeforeAndAfterEveryFolderPassEntry) {
    SearchFixture s;
    s.lister.entries["C:\\Music\\*.mp3"] = {{"a.mp3", false}, {"b.mp3", false}};
    s.lister.entries["C:\\Music\\*.*"] = kMusicFolder;
    s.mp3.Files = "previous|";
    std::vector<std::string> seen_files;
    std::vector<std::string> seen_subdirs;
    s.on_event = [&] {
        seen_files.push_back(s.mp3.Files);
        seen_subdirs.push_back(s.mp3.Subdirs);
    };
    EXPECT_TRUE(s.Search("C:\\Music\\", "*.mp3"));
    ASSERT_EQ(s.events, 1 + 6);
    EXPECT_EQ(seen_files[0], "previous|");  // before the lists are rebuilt
    EXPECT_EQ(seen_files[1], "C:\\Music\\a.mp3|C:\\Music\\b.mp3|");
    EXPECT_EQ(seen_subdirs[3], "");
    EXPECT_EQ(seen_subdirs[4], "Live|");  // after the fourth entry, the folder Live
}

TEST(SearchDir, NestedSearchRebuildsTheListsAndTheOuterSearchGoesOnAppending) {
    SearchFixture s;
    s.lister.entries["C:\\A\\*.*"] = {{"One", true}, {"Two", true}, {"Three", true}};
    s.lister.entries["C:\\B\\*.*"] = {{"Inner", true}};
    bool nested = false;
    s.on_event = [&] {
        if (s.events == 3 && !nested) {  // after the outer folder pass's second entry
            nested = true;
            s.Search("C:\\B\\", "*.x");
        }
    };
    EXPECT_TRUE(s.Search("C:\\A\\", "*.x"));
    EXPECT_EQ(s.mp3.Subdirs, "Inner|Three|");
}

TEST(SearchDir, FailureInsideIsWrappedWithTheClassSuffix) {
    SearchFixture s;
    s.lister.entries["C:\\A\\*.*"] = {{"One", true}, {"Two", true}};
    s.on_event = [&] {
        if (s.mp3.Subdirs == "One|") throw sq::Cause(5);
    };
    try {
        s.Search("C:\\A\\", "*.x");
        FAIL() << "no failure";
    } catch (const sq::ClsMP3Error& e) {
        EXPECT_EQ(e.Number, 9999);
        EXPECT_EQ(e.Source, "clsMP3");
        EXPECT_EQ(e.Description, "Invalid procedure call or argument in clsMP3");
    }
    EXPECT_EQ(s.mp3.Subdirs, "One|");
}

TEST(SearchDir, WorksWithoutAnEventsCallback) {
    sqtest::MemoryFileOpener files;
    sq::clsMP3 mp3(files);
    FakeLister lister;
    lister.entries["C:\\A\\*.*"] = {{"One", true}};
    EXPECT_TRUE(mp3.SearchDir("C:\\A\\", "*.x", lister, {}));
    EXPECT_EQ(mp3.Subdirs, "One|");
}

}  // namespace
