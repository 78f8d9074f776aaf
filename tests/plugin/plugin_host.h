#pragma once
// What every stand-in host does first: join the apartment the player's thread is in and create
// the plug-in as the host wrapper does there: by its ProgID in a single-threaded apartment
// (Winamp 2.x, and 5.9's plug-in thread), straight from the DLL's class factory on this thread in
// the multithreaded one (a host whose plug-in thread has joined it).
#include <windows.h>
#include <objbase.h>

#include "kvo_winamp_gen.h"
#include "sonoquill_wa.h"

namespace sqtest {

struct ComApartment {
    explicit ComApartment(DWORD model = COINIT_APARTMENTTHREADED) { ::CoInitializeEx(nullptr, model); }
    ~ComApartment() { ::CoUninitialize(); }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
};

// The caller owns the returned reference; nullptr when the class is not registered.
inline IKvoWinAmpGenPlugin* CreatePluginByProgId() {
    CLSID clsid{};
    if (FAILED(::CLSIDFromProgID(L"Sonoquill_WA.Plugin", &clsid))) return nullptr;
    IKvoWinAmpGenPlugin* plugin = nullptr;
    ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IKvoWinAmpGenPlugin, reinterpret_cast<void**>(&plugin));
    return plugin;
}

// The DLL beside the test program stays loaded: the plug-in's window lives in it. The caller owns
// the returned reference; nullptr when the DLL or its class factory is missing.
inline IKvoWinAmpGenPlugin* CreatePluginFromClassFactory() {
    using GetClassObjectFn = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
    HMODULE dll = ::LoadLibraryW(L"Sonoquill_WA.dll");
    auto get = reinterpret_cast<GetClassObjectFn>(reinterpret_cast<void*>(::GetProcAddress(dll, "DllGetClassObject")));
    IClassFactory* factory = nullptr;
    if (!get || FAILED(get(CLSID_Plugin, IID_IClassFactory, reinterpret_cast<void**>(&factory)))) return nullptr;
    IKvoWinAmpGenPlugin* plugin = nullptr;
    factory->CreateInstance(nullptr, IID_IKvoWinAmpGenPlugin, reinterpret_cast<void**>(&plugin));
    factory->Release();
    return plugin;
}

}  // namespace sqtest
