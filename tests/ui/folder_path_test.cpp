#include "ui/folder_path.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sq {
namespace {

using Parts = std::vector<std::string>;

struct SplitCase {
    const char* path;
    Parts parts;
};

// Shift-JIS, the code page of Japanese Windows, whose two-byte characters may end in 0x5C.
bool ShiftJisLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

TEST(FolderPathParts, SplitsRootAndNames) {
    const SplitCase cases[] = {
        {"C:\\", {"C:\\"}},
        {"C:", {"C:\\"}},
        {"c:\\Music", {"c:\\", "Music"}},
        {"C:\\Music\\Live", {"C:\\", "Music", "Live"}},
        {"C:\\Music\\Live\\", {"C:\\", "Music", "Live"}},
        {"C:\\\\Music\\\\\\Live", {"C:\\", "Music", "Live"}},
        {"D:\\My Music\\A, B & C!", {"D:\\", "My Music", "A, B & C!"}},
        {"\\\\server\\share", {"\\\\server\\share\\"}},
        {"\\\\server\\share\\Songs\\Rock", {"\\\\server\\share\\", "Songs", "Rock"}},
        // "表" (0x95 0x5C) is one character, not a name ending in a backslash.
        {"C:\\\x95\x5C\\\x95\x5C\\Live", {"C:\\", "\x95\x5C", "\x95\x5C", "Live"}},
        // No root: nothing the folder list can open.
        {"", {}},
        {"Music\\Live", {}},
        {"\\Music", {}},
        {"\\\\server", {}},
        {"1:\\Music", {}},
    };
    for (const SplitCase& c : cases) EXPECT_EQ(FolderPathParts(c.path, &ShiftJisLeadByte), c.parts) << "path: " << c.path;
}

// The parts joined again, as the folder list reports a path.
TEST(JoinFolderPath, KeepsTheBackslashOnlyAtARoot) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\", "C:\\"},
        {"C:", "C:\\"},
        {"C:\\Music\\", "C:\\Music"},
        {"C:\\Music\\Live", "C:\\Music\\Live"},
        {"\\\\server\\share\\", "\\\\server\\share\\"},
        {"\\\\server\\share\\Songs\\", "\\\\server\\share\\Songs"},
        {"relative", ""},
    };
    for (const auto& [path, expected] : cases) {
        const std::vector<std::string> parts = FolderPathParts(path);
        EXPECT_EQ(JoinFolderPath(parts, parts.size()), expected) << "path: " << path;
    }
}

TEST(JoinFolderPath, TakesOnlyTheFirstParts) {
    const Parts parts = {"C:\\", "Music", "Live"};
    EXPECT_EQ(JoinFolderPath(parts, 0), "");
    EXPECT_EQ(JoinFolderPath(parts, 1), "C:\\");
    EXPECT_EQ(JoinFolderPath(parts, 2), "C:\\Music");
    EXPECT_EQ(JoinFolderPath(parts, 3), "C:\\Music\\Live");
    EXPECT_EQ(JoinFolderPath(parts, 9), "C:\\Music\\Live");
}

TEST(FolderListModel, ShowsAncestorsThenSortedSubfolders) {
    FolderListModel model;
    ASSERT_TRUE(model.Open("C:\\Music\\", {"rock", "Jazz", "ambient", "Zydeco"}));
    EXPECT_EQ(model.Current(), "C:\\Music");
    const auto& entries = model.Entries();
    ASSERT_EQ(entries.size(), 6u);
    const struct {
        const char* name;
        int level;
        bool open;
    } expected[] = {{"C:\\", 0, true},     {"Music", 1, true}, {"ambient", 2, false},
                    {"Jazz", 2, false},    {"rock", 2, false}, {"Zydeco", 2, false}};
    for (size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].name, expected[i].name) << i;
        EXPECT_EQ(entries[i].level, expected[i].level) << i;
        EXPECT_EQ(entries[i].open, expected[i].open) << i;
    }
    EXPECT_EQ(model.CurrentIndex(), 1u);
}

TEST(FolderListModel, EveryEntryNamesTheFolderItStandsFor) {
    FolderListModel model;
    ASSERT_TRUE(model.Open("C:\\Music\\Live", {"2001", "Encores"}));
    const char* expected[] = {"C:\\", "C:\\Music", "C:\\Music\\Live", "C:\\Music\\Live\\2001",
                              "C:\\Music\\Live\\Encores"};
    ASSERT_EQ(model.Entries().size(), 5u);
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(model.PathOf(i), expected[i]) << i;
    EXPECT_EQ(model.PathOf(5), "");
}

TEST(FolderListModel, SubfoldersOfARootHaveNoDoubleBackslash) {
    FolderListModel model;
    ASSERT_TRUE(model.Open("D:\\", {"Songs"}));
    EXPECT_EQ(model.Current(), "D:\\");
    EXPECT_EQ(model.CurrentIndex(), 0u);
    EXPECT_EQ(model.PathOf(1), "D:\\Songs");
}

TEST(FolderListModel, AFolderEndingInATwoByteCharacterStillGetsItsBackslash) {
    FolderListModel model(&ShiftJisLeadByte);
    ASSERT_TRUE(model.Open("C:\\\x95\x5C", {"Live"}));
    EXPECT_EQ(model.PathOf(2), "C:\\\x95\x5C\\Live");
}

TEST(FolderListModel, AFolderWithoutRootLeavesTheListAsItWas) {
    FolderListModel model;
    ASSERT_TRUE(model.Open("C:\\Music", {"Live"}));
    EXPECT_FALSE(model.Open("Music\\Live", {"x"}));
    EXPECT_FALSE(model.Open("", {}));
    EXPECT_EQ(model.Current(), "C:\\Music");
    ASSERT_EQ(model.Entries().size(), 3u);
    EXPECT_EQ(model.Entries()[2].name, "Live");
}

TEST(FolderListModel, EmptyModelAnswersSafely) {
    const FolderListModel model;
    EXPECT_EQ(model.Current(), "");
    EXPECT_TRUE(model.Entries().empty());
    EXPECT_EQ(model.CurrentIndex(), 0u);
    EXPECT_EQ(model.PathOf(0), "");
}

}  // namespace
}  // namespace sq
