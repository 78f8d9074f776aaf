#include "common/path_text.h"

#include <gtest/gtest.h>

namespace sq {
namespace {

TEST(PathText, FolderEndsAtTheLastBackslashOrSlash) {
    const std::pair<std::wstring, std::wstring> rows[] = {
        {L"C:\\Program Files\\Winamp\\Plugins\\gen_sonoquill.dll", L"C:\\Program Files\\Winamp\\Plugins"},
        {L"C:\\Sonoquill_WA.dll", L"C:"},
        {L"C:/Winamp/Plugins\\x.dll", L"C:/Winamp/Plugins"},
        {L"C:\\Winamp/x.dll", L"C:\\Winamp"},
        {L"x.dll", L""},
    };
    for (const auto& [path, folder] : rows) EXPECT_EQ(FolderOf(path), folder);
}

TEST(PathText, TrailingBackslashIsAddedOnce) {
    const std::pair<std::string, std::string> rows[] = {
        {"C:\\Music", "C:\\Music\\"}, {"C:\\", "C:\\"}, {"C:/Music/", "C:/Music/"}, {"", ""},
    };
    for (const auto& [folder, with] : rows) EXPECT_EQ(WithTrailingBackslash(folder), with);
}

}  // namespace
}  // namespace sq
