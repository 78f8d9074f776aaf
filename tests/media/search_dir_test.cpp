// SearchDir over a folder listing given to it: the two passes, the list formats and the
// waiting-events calls.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "media/cls_mp3.h"
#include "media/memory_file.h"

namespace {

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
