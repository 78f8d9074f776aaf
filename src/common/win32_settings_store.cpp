#include "common/win32_settings_store.h"

#include <windows.h>

#include "common/win32_ansi_text.h"
#include "common/win32_registry_text.h"
#include "common/win32_unique_handle.h"

namespace sq::settings {
namespace {

constexpr wchar_t kApplication[] = L"Software\\VB and VBA Program Settings\\Sonoquill";
constexpr wchar_t kSection[] = L"Software\\VB and VBA Program Settings\\Sonoquill\\Settings";

}  // namespace

std::string Get(const char* key) { return ReadRegistryText(HKEY_CURRENT_USER, kSection, WideFromAnsi(key).c_str()); }

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
