#pragma once
// Sets one registry value for the length of a test and puts back what was there before.
#include <windows.h>

#include <string>
#include <vector>

namespace sqtest {

class RegistryOverride {
public:
    // `name` nullptr is the key's default value.
    RegistryOverride(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& text);
    RegistryOverride(HKEY root, const std::wstring& path, const wchar_t* name, DWORD number);
    ~RegistryOverride();
    RegistryOverride(const RegistryOverride&) = delete;
    RegistryOverride& operator=(const RegistryOverride&) = delete;

private:
    void Set(DWORD type, const void* data, DWORD size);

    HKEY root_;
    std::wstring path_;
    std::wstring name_;
    bool has_name_;
    bool had_value_ = false;
    DWORD old_type_ = 0;
    std::vector<BYTE> old_data_;
};

// The plug-in's requests go to 127.0.0.1:port through the system proxy setting (this prefix's
// Internet Settings), so the shipped service address is what the stand-in receives.
class ProxyOverride {
public:
    explicit ProxyOverride(unsigned port);

private:
    RegistryOverride enable_;
    RegistryOverride server_;
    RegistryOverride bypass_;
};

}  // namespace sqtest
