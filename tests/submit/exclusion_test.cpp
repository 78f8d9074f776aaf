#include "submit/exclusion.h"

#include <gtest/gtest.h>

namespace sq {
namespace {

struct ExclusionCase {
    const char* path;
    const char* folder;
    bool excluded;
};

TEST(Exclusion, IsAPlainCaseBlindPrefixTest) {
    const ExclusionCase rows[] = {
        {"C:\\MUSIC\\Live\\a.mp3", "C:\\Music", true},
        {"C:\\Music2\\a.mp3", "C:\\Music", true},  // no look at folder boundaries
        {"D:\\anything.mp3", "d:\\", true},
        {"C:\\Musi", "C:\\Music", false},
        {"\\\\?\\C:\\Music\\a.mp3", "C:\\Music", false},  // the folder's text further in does not count
        {"D:\\Music\\a.mp3", "C:\\Music", false},
        {"", "C:\\Music", false},  // unknown file: never excluded
        {"C:\\Music\\a.mp3", "", false},
        {"c:\\music", "C:\\MUSIC", true},
    };
    for (const ExclusionCase& row : rows) EXPECT_EQ(IsExcluded(row.path, row.folder), row.excluded) << row.path << " / " << row.folder;
}

TEST(Exclusion, UsesTheLowerCasingItIsGiven) {
    // Bytes above 127 are the code page's business: the shell hands in one that knows it.
    EXPECT_FALSE(IsExcluded("C:\\\xC4rger\\a.mp3", "c:\\\xE4rger"));
    const LowerCaseFn latin = [](const std::string& s) {
        std::string r = LowerCase(s);
        for (char& c : r)
            if (c == '\xC4') c = '\xE4';
        return r;
    };
    EXPECT_TRUE(IsExcluded("C:\\\xC4rger\\a.mp3", "c:\\\xE4rger", latin));
}

}  // namespace
}  // namespace sq
