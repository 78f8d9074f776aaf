#include "submit/exclusion.h"

#include <gtest/gtest.h>

#include "common/fake_code_page.h"

namespace sq {
namespace {

const sqtest::FakeCodePage kCodePage;

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
    for (const ExclusionCase& row : rows) EXPECT_EQ(IsExcluded(row.path, row.folder, kCodePage), row.excluded) << row.path << " / " << row.folder;
}

TEST(Exclusion, CaseIsTheCodePages) {
    // Bytes above 127 are the code page's business: in Latin-1 \xC4 lowers to \xE4, and \xD7 (a
    // multiplication sign) is no letter.
    EXPECT_TRUE(IsExcluded("C:\\\xC4rger\\a.mp3", "c:\\\xE4rger", kCodePage));
    EXPECT_FALSE(IsExcluded("C:\\\xD7\\a.mp3", "c:\\\xF7", kCodePage));
}

}  // namespace
}  // namespace sq
