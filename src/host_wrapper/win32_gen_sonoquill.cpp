// gen_sonoquill.dll: the general-purpose plug-in the player loads. It maps the player's three
// calls onto Sonoquill_WA.Plugin's Initialize, Configure and Quit, and removes the installation
// when the user removes the plug-in in the player's preferences. Nothing may unwind into the
// player: every call catches everything, and a plug-in that cannot be created makes init fail
// quietly, so that the player lists it as not loaded.
#include <windows.h>

#include <memory>

#include "common/win32_com_apartment.h"
#include "common/win32_debug_trace.h"
#include "host_wrapper/win32_gen_descriptor.h"
#include "host_wrapper/win32_host_wrapper.h"
#include "host_wrapper/win32_plugin_loader.h"
#include "host_wrapper/win32_plugin_removal.h"

namespace {

using sq::ComApartment;
using sq::ComPtr;
using sq::TraceCaughtException;
using sq::TraceFailure;

// Shown in the player's list until the plug-in hands over its own description.
char g_initial_description[] = "Sonoquill";

int __cdecl InitPlugin();
void __cdecl ConfigPlugin();
void __cdecl QuitPlugin();

sq::GeneralPurposePlugin g_descriptor = {
    sq::kGeneralPurposeVersion, g_initial_description, InitPlugin, ConfigPlugin, QuitPlugin, nullptr, nullptr,
};

// What lives between init and quit. The player calls all three on the thread that owns its
// window: Winamp 2.x on its main thread, leaving COM to its plug-ins; Winamp 5.9 on a second
// thread it has made a single-threaded apartment. A thread already in another apartment is left
// as it is.
struct Session {
    ComApartment apartment;  // declared first, so that it ends after the plug-in is released
    ComPtr<IKvoWinAmpGenPlugin> plugin;
};
std::unique_ptr<Session> g_session;
// Outlives the session: the player reads the description for its list at any time.
sq::DescriptionSink g_description{{}, &g_descriptor.description};
HMODULE g_self = nullptr;

void EndSession() noexcept { g_session.reset(); }

int FailInit(const wchar_t* what, HRESULT hr) noexcept {
    TraceFailure(L"gen_sonoquill init", what, hr);
    EndSession();
    return 1;
}

int __cdecl InitPlugin() {
    try {
        if (g_session) return 0;  // a second init finds everything in place
        g_session = std::make_unique<Session>();
        Session* const session = g_session.get();
        const HRESULT com = session->apartment.result();
        if (FAILED(com) && com != RPC_E_CHANGED_MODE) return FailInit(L"COM cannot be started", com);

        sq::CreatedPlugin created = sq::CreatePlugin(g_self, sq::ApartmentOfThisThread(com));
        if (!created.plugin) return FailInit(L"Sonoquill_WA.Plugin cannot be created", created.hr);
        session->plugin = created.plugin;
        // The plug-in's window and timer run in its module until the player exits; neither COM
        // nor the player may unload it, nor this wrapper whose object the plug-in holds.
        sq::PinModuleOf(*reinterpret_cast<void**>(session->plugin.get()));
        sq::PinModuleOf(reinterpret_cast<const void*>(&InitPlugin));

        sq::HostWrapper* wrapper = sq::HostWrapper::Create(g_descriptor.hwndParent, &g_description);
        if (!wrapper) return FailInit(L"no memory for the Wrapper object", E_OUTOFMEMORY);
        const HRESULT hr = session->plugin->Initialize(wrapper);
        wrapper->Release();
        if (FAILED(hr)) return FailInit(L"Initialize failed", hr);
        return 0;
    } catch (...) {
        TraceCaughtException(L"gen_sonoquill init");
        EndSession();
        return 1;
    }
}

void __cdecl ConfigPlugin() {
    try {
        if (!g_session || !g_session->plugin) return;
        const HRESULT hr = g_session->plugin->Configure();
        if (FAILED(hr)) TraceFailure(L"gen_sonoquill config", L"Configure failed", hr);
    } catch (...) {
        TraceCaughtException(L"gen_sonoquill config");
    }
}

void __cdecl QuitPlugin() {
    try {
        if (g_session && g_session->plugin) g_session->plugin->Quit();
    } catch (...) {
        TraceCaughtException(L"gen_sonoquill quit");
    }
    EndSession();
}

}  // namespace

extern "C" sq::GeneralPurposePlugin* __cdecl winampGetGeneralPurposePlugin() { return &g_descriptor; }

// Called when the user removes the plug-in in the player's preferences. 0 keeps it loaded (its
// window lives in the process) and lets the player delete this file at its next start.
extern "C" int __cdecl winampUninstallPlugin(HINSTANCE, HWND owner, int) {
    try {
        sq::RemoveFromPlayer(owner, g_self);
    } catch (...) {
        TraceCaughtException(L"gen_sonoquill uninstall");
    }
    return 0;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_self = instance;
        ::DisableThreadLibraryCalls(instance);
    }
    // A session still open here is a process ending without quit (the wrapper is pinned while one
    // is open): the plug-in's module may be gone already, and nothing is released under the
    // loader lock.
    if (reason == DLL_PROCESS_DETACH) (void)g_session.release();
    return TRUE;
}
