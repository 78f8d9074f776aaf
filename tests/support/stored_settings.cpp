#include "support/stored_settings.h"

namespace sqtest {

void ClearSettings() { ::RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey); }

void StoreRaw(const wchar_t* name, const std::wstring& value) {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
}

std::optional<std::wstring> ReadRaw(const wchar_t* name) {
    DWORD type = 0;
    DWORD bytes = 0;
    if (::RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_ANY, &type, nullptr, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    if (type != REG_SZ) return std::nullopt;
    std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (::RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_REG_SZ, nullptr, value.data(), &bytes) !=
        ERROR_SUCCESS)
        return std::nullopt;
    value.resize(wcslen(value.c_str()));
    return value;
}

}  // namespace sqtest
