// The registry's string values as each reader takes them, against the real registry of the test
// prefix: the short text of the player's registration, and the text of the settings.
#include "common/win32_registry_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr wchar_t kTestKey[] = L"Software\\Sonoquill Tests\\RegistryText";

// Written through the code page's API, as the player's installer writes its registration.
bool SetValue(const char* name, DWORD type, const std::string& data, bool with_zero = true) {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const LSTATUS status = ::RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.c_str()),
                                            static_cast<DWORD>(data.size() + (with_zero ? 1 : 0)));
    ::RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

TEST(RegistryText, ShortTextIsRegSzUpTo255BytesTextIsEitherStringTypeOfAnyLength) {
    ASSERT_TRUE(SetValue(nullptr, REG_SZ, "default text"));
    ASSERT_TRUE(SetValue("Plain", REG_SZ, "C:\\Program Files\\x"));
    ASSERT_TRUE(SetValue("Empty", REG_SZ, ""));
    ASSERT_TRUE(SetValue("Longest", REG_SZ, std::string(255, 'L')));
    ASSERT_TRUE(SetValue("TooLong", REG_SZ, std::string(256, 'T')));
    ASSERT_TRUE(SetValue("Expand", REG_EXPAND_SZ, "%WINDIR%\\x"));
    ASSERT_TRUE(SetValue("Multi", REG_MULTI_SZ, std::string("a\0b\0", 4)));
    ASSERT_TRUE(SetValue("Binary", REG_BINARY, "bytes", false));
    ASSERT_TRUE(SetValue("Unterminated", REG_SZ, "no zero", false));
    ASSERT_TRUE(SetValue("InnerZero", REG_SZ, std::string("a\0b", 3)));

    struct Case {
        std::wstring name;
        std::string short_text;
        std::string text;
    };
    const Case cases[] = {
        {L"", "default text", "default text"},
        {L"Plain", "C:\\Program Files\\x", "C:\\Program Files\\x"},
        {L"Empty", "", ""},
        {L"Longest", std::string(255, 'L'), std::string(255, 'L')},
        {L"TooLong", "", std::string(256, 'T')},
        {L"Expand", "", "%WINDIR%\\x"},
        {L"Multi", "", ""},
        {L"Binary", "", ""},
        {L"Unterminated", "no zero", "no zero"},
        {L"InnerZero", "a", std::string("a\0b", 3)},
        {L"Missing", "", ""},
    };
    for (const Case& c : cases) {
        const std::string name(c.name.begin(), c.name.end());
        EXPECT_EQ(sq::ReadShortRegistryText(HKEY_CURRENT_USER, kTestKey, c.name.c_str()), c.short_text)
            << "value [" << name << "]";
        EXPECT_EQ(sq::ReadRegistryText(HKEY_CURRENT_USER, kTestKey, c.name.c_str()), c.text) << "value [" << name << "]";
    }
    EXPECT_EQ(sq::ReadShortRegistryText(HKEY_CURRENT_USER, L"Software\\Sonoquill Tests\\No Such Key", L""), "");
    EXPECT_EQ(sq::ReadShortRegistryText(nullptr, kTestKey, L"Plain"), "") << "no root key";
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
}

}  // namespace
