#include "plugin/registration.h"

#include <string>

#include "common/unique_handle.h"
#include "plugin/module.h"

namespace sq {
namespace {

constexpr wchar_t kLibId[] = L"{F615B974-9342-4A58-9613-8BC205FC7F72}";
constexpr wchar_t kTypeLibMarshaler[] = L"{00020424-0000-0000-C000-000000000046}";

struct ClassEntry {
    const wchar_t* clsid;
    const wchar_t* prog_id;
};
constexpr ClassEntry kClasses[] = {
    {L"{B760165D-2746-43B4-8730-B29EC2BAF0C6}", L"Sonoquill_WA.Plugin"},
    {L"{8BAB171D-6796-46F8-8D2D-70C1AA98DDF0}", L"Sonoquill_WA.clsMP3"},
};

struct InterfaceEntry {
    const wchar_t* iid;
    const wchar_t* name;
};
constexpr InterfaceEntry kInterfaces[] = {
    {L"{64486C62-7183-4746-A6BE-00DB206F559D}", L"_Plugin"},
    {L"{49C32461-518B-4867-A79D-05BDB3C85AA9}", L"_clsMP3"},
};

HKEY ScopeRoot(RegistrationScope scope) {
    return scope == RegistrationScope::User ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

std::wstring ClassesPath(const std::wstring& sub) { return L"Software\\Classes\\" + sub; }

LSTATUS SetValue(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    UniqueRegKey hkey;
    LSTATUS status = ::RegCreateKeyExW(root, ClassesPath(key).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, hkey.put(), nullptr);
    if (status != ERROR_SUCCESS) return status;
    return ::RegSetValueExW(hkey.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

LSTATUS DeleteTree(HKEY root, const std::wstring& key) {
    const LSTATUS status = ::RegDeleteTreeW(root, ClassesPath(key).c_str());
    if (status == ERROR_SUCCESS) ::RegDeleteKeyW(root, ClassesPath(key).c_str());
    return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

std::wstring FolderOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

}  // namespace

HRESULT RegisterServer(RegistrationScope scope) {
    const HKEY root = ScopeRoot(scope);
    const std::wstring dll = ModulePath();
    if (dll.empty()) return HRESULT_FROM_WIN32(::GetLastError());

    LSTATUS status = ERROR_SUCCESS;
    auto set = [&](const std::wstring& key, const wchar_t* name, const std::wstring& value) {
        if (status == ERROR_SUCCESS) status = SetValue(root, key, name, value);
    };

    for (const ClassEntry& c : kClasses) {
        const std::wstring clsid_key = std::wstring(L"CLSID\\") + c.clsid;
        set(c.prog_id, nullptr, c.prog_id);
        set(std::wstring(c.prog_id) + L"\\CLSID", nullptr, c.clsid);
        set(clsid_key, nullptr, c.prog_id);
        set(clsid_key + L"\\InprocServer32", nullptr, dll);
        set(clsid_key + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
        set(clsid_key + L"\\ProgID", nullptr, c.prog_id);
        set(clsid_key + L"\\VERSION", nullptr, L"1.0");
        set(clsid_key + L"\\TypeLib", nullptr, kLibId);
        set(clsid_key + L"\\Programmable", nullptr, L"");
    }
    for (const InterfaceEntry& i : kInterfaces) {
        const std::wstring key = std::wstring(L"Interface\\") + i.iid;
        set(key, nullptr, i.name);
        set(key + L"\\ProxyStubClsid", nullptr, kTypeLibMarshaler);
        set(key + L"\\ProxyStubClsid32", nullptr, kTypeLibMarshaler);
        set(key + L"\\TypeLib", nullptr, kLibId);
        set(key + L"\\TypeLib", L"Version", L"1.0");
    }
    const std::wstring lib_key = std::wstring(L"TypeLib\\") + kLibId + L"\\1.0";
    set(lib_key, nullptr, L"Sonoquill_WA");
    set(lib_key + L"\\0\\win32", nullptr, dll);
    set(lib_key + L"\\FLAGS", nullptr, L"0");
    set(lib_key + L"\\HELPDIR", nullptr, FolderOf(dll));

    if (status != ERROR_SUCCESS) {
        UnregisterServer(scope);
        return HRESULT_FROM_WIN32(status);
    }
    return S_OK;
}

HRESULT UnregisterServer(RegistrationScope scope) {
    const HKEY root = ScopeRoot(scope);
    LSTATUS first_failure = ERROR_SUCCESS;
    auto remove = [&](const std::wstring& key) {
        const LSTATUS status = DeleteTree(root, key);
        if (first_failure == ERROR_SUCCESS) first_failure = status;
    };
    for (const ClassEntry& c : kClasses) {
        remove(c.prog_id);
        remove(std::wstring(L"CLSID\\") + c.clsid);
    }
    for (const InterfaceEntry& i : kInterfaces) remove(std::wstring(L"Interface\\") + i.iid);
    remove(std::wstring(L"TypeLib\\") + kLibId);
    return HRESULT_FROM_WIN32(first_failure);
}

}  // namespace sq
