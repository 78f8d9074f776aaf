#pragma once
// What every stand-in host does first: join a single-threaded apartment and create the plug-in
// by its ProgID, as the player's host wrapper does.
#include <windows.h>

#include "kvo_winamp_gen.h"

namespace sqtest {

struct ComApartment {
    ComApartment() { ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
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

}  // namespace sqtest
