#include "host_wrapper/plugin_loader.h"

#include <vector>

#include "sonoquill_wa.h"

namespace sq {
namespace {

using DllGetClassObjectFn = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);

HRESULT CreateRegistered(ComPtr<IKvoWinAmpGenPlugin>& out) {
    CLSID clsid{};
    HRESULT hr = ::CLSIDFromProgID(kPluginProgId, &clsid);
    if (FAILED(hr)) return hr;
    return ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IKvoWinAmpGenPlugin, out.put_void());
}

HRESULT CreateBesideWrapper(HMODULE wrapper_module, ComPtr<IKvoWinAmpGenPlugin>& out) {
    const std::wstring path = ModuleFolder(wrapper_module) + kPluginDllName;
    // A missing or damaged file must not bring up a system error box in front of the player.
    DWORD old_mode = 0;
    ::SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &old_mode);
    HMODULE dll = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    const DWORD load_error = ::GetLastError();
    ::SetThreadErrorMode(old_mode, nullptr);
    if (!dll) return HRESULT_FROM_WIN32(load_error ? load_error : ERROR_MOD_NOT_FOUND);

    auto get_class_object =
        reinterpret_cast<DllGetClassObjectFn>(reinterpret_cast<void*>(::GetProcAddress(dll, "DllGetClassObject")));
    if (!get_class_object) {
        ::FreeLibrary(dll);
        return HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
    }
    ComPtr<IClassFactory> factory;
    HRESULT hr = get_class_object(CLSID_Plugin, IID_IClassFactory, factory.put_void());
    if (SUCCEEDED(hr) && !factory) hr = E_NOINTERFACE;
    if (SUCCEEDED(hr)) hr = factory->CreateInstance(nullptr, IID_IKvoWinAmpGenPlugin, out.put_void());
    if (SUCCEEDED(hr) && !out) hr = E_NOINTERFACE;
    factory.reset();
    if (FAILED(hr)) {
        out.reset();
        ::FreeLibrary(dll);
        return hr;
    }
    // COM never learns about this module, so nothing but the process's end may unload it.
    PinModuleOf(reinterpret_cast<const void*>(get_class_object));
    ::FreeLibrary(dll);
    return S_OK;
}

}  // namespace

std::wstring ModuleFolder(HMODULE module) {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(module, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) {
            std::wstring path(buffer.data(), n);
            const size_t slash = path.find_last_of(L"\\/");
            return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
        }
        if (buffer.size() >= 32768) return {};
        buffer.resize(buffer.size() * 2);
    }
}

void PinModuleOf(const void* code) noexcept {
    HMODULE pinned = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                         static_cast<LPCWSTR>(code), &pinned);
}

CreatedPlugin CreatePlugin(HMODULE wrapper_module) {
    CreatedPlugin created;
    created.hr = CreateRegistered(created.plugin);
    if (SUCCEEDED(created.hr) && created.plugin) {
        created.source = PluginSource::Registered;
        return created;
    }
    created.plugin.reset();
    created.hr = CreateBesideWrapper(wrapper_module, created.plugin);
    if (SUCCEEDED(created.hr)) created.source = PluginSource::BesideWrapper;
    return created;
}

}  // namespace sq
