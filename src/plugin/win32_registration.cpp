#include "plugin/win32_registration.h"

#include <string>

#include "common/win32_module.h"
#include "common/path_text.h"
#include "common/win32_unique_handle.h"
#include "sonoquill_wa.h"

namespace sq {
namespace {

// Our identifiers come from the type library's own description; the marshaler is the system's.
const GUID kTypeLibMarshaler = {0x00020424, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

struct ClassEntry {
    const GUID& clsid;
    const wchar_t* prog_id;
};
const ClassEntry kClasses[] = {
    {CLSID_Plugin, L"Sonoquill_WA.Plugin"},
    {CLSID_clsMP3, L"Sonoquill_WA.clsMP3"},
};

struct InterfaceEntry {
    const GUID& iid;
    const wchar_t* name;
};
const InterfaceEntry kInterfaces[] = {
    {IID__Plugin, L"_Plugin"},
    {IID__clsMP3, L"_clsMP3"},
};

// "{XXXXXXXX-XXXX-...}", as the registry keys name them.
std::wstring GuidText(const GUID& guid) {
    wchar_t text[39] = {};
    ::StringFromGUID2(guid, text, 39);
    return text;
}

HKEY ScopeRoot(RegistrationScope scope) {
    return scope == RegistrationScope::User ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

std::wstring ClassesPath(const std::wstring& sub) { return L"Software\\Classes\\" + sub; }

LSTATUS SetValue(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    UniqueRegKey hkey;
    LSTATUS status = ::RegCreateKeyExW(root, ClassesPath(key).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, hkey.put(), nullptr);
    if (status != ERROR_SUCCESS) return status;
    return ::RegSetValueExW(hkey.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>(value.size() + 1) * sizeof(wchar_t));
}

LSTATUS DeleteTree(HKEY root, const std::wstring& key) {
    const LSTATUS status = ::RegDeleteTreeW(root, ClassesPath(key).c_str());
    if (status == ERROR_SUCCESS) ::RegDeleteKeyW(root, ClassesPath(key).c_str());
    return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
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

    const std::wstring lib_id = GuidText(LIBID_Sonoquill_WA);
    const std::wstring marshaler = GuidText(kTypeLibMarshaler);
    for (const ClassEntry& c : kClasses) {
        const std::wstring clsid = GuidText(c.clsid);
        const std::wstring clsid_key = L"CLSID\\" + clsid;
        set(c.prog_id, nullptr, c.prog_id);
        set(std::wstring(c.prog_id) + L"\\CLSID", nullptr, clsid);
        set(clsid_key, nullptr, c.prog_id);
        set(clsid_key + L"\\InprocServer32", nullptr, dll);
        set(clsid_key + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
        set(clsid_key + L"\\ProgID", nullptr, c.prog_id);
        set(clsid_key + L"\\VERSION", nullptr, L"1.0");
        set(clsid_key + L"\\TypeLib", nullptr, lib_id);
        set(clsid_key + L"\\Programmable", nullptr, L"");
    }
    for (const InterfaceEntry& i : kInterfaces) {
        const std::wstring key = L"Interface\\" + GuidText(i.iid);
        set(key, nullptr, i.name);
        set(key + L"\\ProxyStubClsid", nullptr, marshaler);
        set(key + L"\\ProxyStubClsid32", nullptr, marshaler);
        set(key + L"\\TypeLib", nullptr, lib_id);
        set(key + L"\\TypeLib", L"Version", L"1.0");
    }
    const std::wstring lib_key = L"TypeLib\\" + lib_id + L"\\1.0";
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
        remove(L"CLSID\\" + GuidText(c.clsid));
    }
    for (const InterfaceEntry& i : kInterfaces) remove(L"Interface\\" + GuidText(i.iid));
    remove(L"TypeLib\\" + GuidText(LIBID_Sonoquill_WA));
    return HRESULT_FROM_WIN32(first_failure);
}

}  // namespace sq
