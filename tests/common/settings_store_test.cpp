// The settings store against the real registry of the test prefix.
#include "common/win32_settings_store.h"

#include <gtest/gtest.h>

#include "common/win32_ansi_text.h"
#include "support/stored_settings.h"

namespace {

using sqtest::ReadRaw;

class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override { sqtest::ClearSettings(); }
    void TearDown() override { sqtest::ClearSettings(); }
};

TEST_F(SettingsStore, NeverWrittenValuesReadEmptyAndReadingCreatesNothing) {
    for (const char* key : {sq::kUsername, sq::kPassword, sq::kExclude})
        EXPECT_EQ(sq::settings::Get(key), "") << key;
    HKEY key = nullptr;
    EXPECT_NE(::RegOpenKeyExW(HKEY_CURRENT_USER, sqtest::kSettingsKey, 0, KEY_READ, &key), ERROR_SUCCESS)
        << "reading must not create the settings key";
    if (key) ::RegCloseKey(key);
}

TEST_F(SettingsStore, ValuesRoundTripExactlyAsRegSz) {
    const struct {
        const char* key;
        const wchar_t* name;
        const char* value;
    } cases[] = {
        {sq::kUsername, L"Username", "robin"},
        {sq::kUsername, L"Username", "  two spaces around  "},
        {sq::kPassword, L"Password", "p@ss w0rd; \"quoted\" & 100%! \\ 'x' <y> =z+?#"},
        {sq::kPassword, L"Password", " "},
        {sq::kPassword, L"Password", ""},
        {sq::kExclude, L"Exclude", "C:\\Music\\Live"},
        {sq::kExclude, L"Exclude", "C:\\"},
        {sq::kExclude, L"Exclude", "D:\\My Songs (old), \xE9t\xE9"},  // bytes of the 8-bit code page
    };
    for (const auto& c : cases) {
        sq::settings::Save(c.key, c.value);
        const auto raw = ReadRaw(c.name);
        ASSERT_TRUE(raw.has_value()) << c.key << " must be stored as REG_SZ under " << c.key;
        EXPECT_EQ(*raw, sq::WideFromAnsi(c.value)) << c.key;
        EXPECT_EQ(sq::settings::Get(c.key), c.value) << c.key;
    }
}

TEST_F(SettingsStore, AWriteReplacesAndEachKeyStandsAlone) {
    sq::settings::Save(sq::kUsername, "first");
    sq::settings::Save(sq::kPassword, "secret");
    sq::settings::Save(sq::kUsername, "second");
    EXPECT_EQ(sq::settings::Get(sq::kUsername), "second");
    EXPECT_EQ(sq::settings::Get(sq::kPassword), "secret");
    EXPECT_EQ(sq::settings::Get(sq::kExclude), "");
    sq::settings::Save(sq::kExclude, "C:\\Music");
    sq::settings::Save(sq::kExclude, "");
    EXPECT_EQ(ReadRaw(L"Exclude"), std::optional<std::wstring>(L"")) << "storing the empty string clears the folder";
}

TEST_F(SettingsStore, ValuesWrittenByEarlierReleasesAreRead) {
    sqtest::StoreRaw(L"Username", L"old user");
    sqtest::StoreRaw(L"Password", L"old pass word");
    sqtest::StoreRaw(L"Exclude", L"C:\\Old Music");
    EXPECT_EQ(sq::settings::Get(sq::kUsername), "old user");
    EXPECT_EQ(sq::settings::Get(sq::kPassword), "old pass word");
    EXPECT_EQ(sq::settings::Get(sq::kExclude), "C:\\Old Music");
}

}  // namespace
