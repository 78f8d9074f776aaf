#include "submit/registry_override.h"

namespace sqtest {

RegistryOverride::RegistryOverride(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& text)
    : root_(root), path_(path), name_(name ? name : L""), has_name_(name != nullptr) {
    Set(REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

RegistryOverride::RegistryOverride(HKEY root, const std::wstring& path, const wchar_t* name, DWORD number)
    : root_(root), path_(path), name_(name ? name : L""), has_name_(name != nullptr) {
    Set(REG_DWORD, &number, sizeof number);
}

void RegistryOverride::Set(DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(root_, path_.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    const wchar_t* name = has_name_ ? name_.c_str() : nullptr;
    DWORD old_size = 0;
    if (::RegQueryValueExW(key, name, nullptr, &old_type_, nullptr, &old_size) == ERROR_SUCCESS) {
        old_data_.resize(old_size);
        had_value_ = ::RegQueryValueExW(key, name, nullptr, &old_type_, old_data_.data(), &old_size) == ERROR_SUCCESS;
    }
    ::RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
    ::RegCloseKey(key);
}

RegistryOverride::~RegistryOverride() {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(root_, path_.c_str(), 0, KEY_WRITE, &key) != ERROR_SUCCESS) return;
    const wchar_t* name = has_name_ ? name_.c_str() : nullptr;
    if (had_value_) ::RegSetValueExW(key, name, 0, old_type_, old_data_.data(), static_cast<DWORD>(old_data_.size()));
    else ::RegDeleteValueW(key, name);
    ::RegCloseKey(key);
}

namespace {
const wchar_t kInternetSettings[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
}

ProxyOverride::ProxyOverride(unsigned port)
    : enable_(HKEY_CURRENT_USER, kInternetSettings, L"ProxyEnable", 1),
      server_(HKEY_CURRENT_USER, kInternetSettings, L"ProxyServer", L"127.0.0.1:" + std::to_wstring(port)),
      bypass_(HKEY_CURRENT_USER, kInternetSettings, L"ProxyOverride", std::wstring()) {}

}  // namespace sqtest
