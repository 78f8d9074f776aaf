#include "common/win32_settings_store.h"

#include <windows.h>

#include <vector>

#include "common/win32_ansi_text.h"
#include "common/win32_unique_handle.h"

namespace sq::settings {
namespace {

constexpr wchar_t kApplication[] = L"Software\\VB and VBA Program Settings\\Sonoquill";
constexpr wchar_t kSection[] = L"Software\\VB and VBA Program Settings\\Sonoquill\\Settings";

}  // namespace

std::string Get(const char* key) {
    UniqueRegKey hkey;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kSection, 0, KEY_QUERY_VALUE, hkey.put()) != ERROR_SUCCESS) return {};
    const std::wstring name = WideFromAnsi(key);
    DWORD type = 0;
    DWORD bytes = 0;
    if (::RegQueryValueExW(hkey.get(), name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ) return {};
    std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(buffer.size()) * sizeof(wchar_t);
    if (::RegQueryValueExW(hkey.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &bytes) !=
        ERROR_SUCCESS)
        return {};
    size_t length = bytes / sizeof(wchar_t);
    while (length > 0 && buffer[length - 1] == L'\0') --length;
    return AnsiFromWide(buffer.data(), length);
}

void Save(const char* key, const std::string& value) {
    UniqueRegKey hkey;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kSection, 0, nullptr, 0, KEY_SET_VALUE, nullptr, hkey.put(), nullptr) !=
        ERROR_SUCCESS)
        return;
    const std::wstring name = WideFromAnsi(key);
    const std::wstring data = WideFromAnsi(value);
    ::RegSetValueExW(hkey.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                     static_cast<DWORD>(data.size() + 1) * sizeof(wchar_t));
}

LSTATUS RemoveAll() {
    const LSTATUS status = ::RegDeleteTreeW(HKEY_CURRENT_USER, kSection);
    ::RegDeleteKeyW(HKEY_CURRENT_USER, kApplication);  // refused while other sections live under it
    return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

}  // namespace sq::settings
