#include "host_wrapper/win32_plugin_loader.h"

#include <vector>

#include "common/win32_debug_trace.h"
#include "common/win32_error_mode.h"
#include "common/win32_module.h"
#include "common/path_text.h"
#include "common/win32_unique_handle.h"
#include "sonoquill_wa.h"

namespace sq {
namespace {

using DllGetClassObjectFn = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);

HRESULT CreateThroughCom(ComPtr<IKvoWinAmpGenPlugin>& out) {
    CLSID clsid{};
    HRESULT hr = ::CLSIDFromProgID(kPluginProgId, &clsid);
    if (FAILED(hr)) return hr;
    return ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IKvoWinAmpGenPlugin, out.put_void());
}

// The server file as COM would find it: the user's own registration before the machine's.
std::wstring RegisteredServerPath() {
    wchar_t clsid[40] = {};
    if (!::StringFromGUID2(CLSID_Plugin, clsid, 40)) return {};
    const std::wstring key = std::wstring(L"Software\\Classes\\CLSID\\") + clsid + L"\\InprocServer32";
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        std::vector<wchar_t> path(MAX_PATH + 1);
        DWORD bytes = static_cast<DWORD>(path.size()) * sizeof(wchar_t);
        LSTATUS status = ::RegGetValueW(root, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, path.data(), &bytes);
        if (status == ERROR_MORE_DATA) {
            path.resize(bytes / sizeof(wchar_t) + 1);
            bytes = static_cast<DWORD>(path.size()) * sizeof(wchar_t);
            status = ::RegGetValueW(root, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, path.data(), &bytes);
        }
        if (status == ERROR_SUCCESS && path[0] != L'\0') return std::wstring(path.data());
    }
    return {};
}

// Loads a server file and makes the object with its own class factory, on this thread.
HRESULT CreateFromServerFile(const std::wstring& path, ComPtr<IKvoWinAmpGenPlugin>& out) {
    if (path.empty()) return REGDB_E_CLASSNOTREG;
    UniqueLibrary dll;
    DWORD load_error = 0;
    {
        const NoCriticalErrorBox quiet;
        dll.reset(::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
        load_error = ::GetLastError();
    }
    if (!dll) return HRESULT_FROM_WIN32(load_error ? load_error : ERROR_MOD_NOT_FOUND);

    auto get_class_object = reinterpret_cast<DllGetClassObjectFn>(
        reinterpret_cast<void*>(::GetProcAddress(dll.get(), "DllGetClassObject")));
    if (!get_class_object) return HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
    ComPtr<IClassFactory> factory;
    HRESULT hr = get_class_object(CLSID_Plugin, IID_IClassFactory, factory.put_void());
    if (SUCCEEDED(hr) && !factory) hr = E_NOINTERFACE;
    if (SUCCEEDED(hr)) hr = factory->CreateInstance(nullptr, IID_IKvoWinAmpGenPlugin, out.put_void());
    if (SUCCEEDED(hr) && !out) hr = E_NOINTERFACE;
    factory.reset();
    if (FAILED(hr)) {
        out.reset();  // before the module goes
        return hr;
    }
    // COM never learns about this module, so nothing but the process's end may unload it.
    PinModuleOf(reinterpret_cast<const void*>(get_class_object));
    return S_OK;
}

}  // namespace

ThreadApartment ApartmentOfThisThread(HRESULT own_init) noexcept {
    APTTYPE type{};
    APTTYPEQUALIFIER qualifier{};
    if (SUCCEEDED(::CoGetApartmentType(&type, &qualifier))) {
        return type == APTTYPE_STA || type == APTTYPE_MAINSTA ? ThreadApartment::SingleThreaded
                                                              : ThreadApartment::MultiThreaded;
    }
    return own_init == RPC_E_CHANGED_MODE ? ThreadApartment::MultiThreaded : ThreadApartment::SingleThreaded;
}

std::wstring ModuleFolder(HMODULE module) { return WithTrailingBackslash(FolderOf(ModulePath(module))); }

void PinModuleOf(const void* code) noexcept {
    HMODULE pinned = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                         static_cast<LPCWSTR>(code), &pinned);
}

CreatedPlugin CreatePlugin(HMODULE wrapper_module, ThreadApartment apartment) {
    CreatedPlugin created;
    created.hr = apartment == ThreadApartment::SingleThreaded ? CreateThroughCom(created.plugin)
                                                              : CreateFromServerFile(RegisteredServerPath(), created.plugin);
    if (SUCCEEDED(created.hr) && created.plugin) {
        created.source = PluginSource::Registered;
        return created;
    }
    if (created.hr != REGDB_E_CLASSNOTREG && created.hr != CO_E_CLASSSTRING) {
        TraceFailure(L"gen_sonoquill init", L"the registered Sonoquill_WA.Plugin cannot be created; trying the DLL beside the wrapper",
                     created.hr);
    }
    created.plugin.reset();
    const std::wstring folder = ModuleFolder(wrapper_module);
    created.hr = folder.empty() ? HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND)
                                : CreateFromServerFile(folder + kPluginDllName, created.plugin);
    if (SUCCEEDED(created.hr)) created.source = PluginSource::BesideWrapper;
    return created;
}

}  // namespace sq
