// The COM in-process server's entry points.
#include <windows.h>

#include "common/win32_class_factory.h"
#include "common/win32_com_boundary.h"
#include "common/win32_debug_trace.h"
#include "common/win32_module.h"
#include "common/win32_type_library.h"
#include "media/win32_cls_mp3_com.h"
#include "plugin/win32_plugin.h"
#include "plugin/win32_registration.h"
#include "sonoquill_wa.h"

using namespace sq;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        SetModuleInstance(instance);
        ::DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH && !reserved) {
        // Unloaded after DllCanUnloadNow said yes: no object of ours uses the library any more.
        // At process end (reserved set) nothing is released: ole32 may already be gone.
        ReleaseModuleTypeLibrary();
    }
    return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    CreateFunction create = nullptr;
    if (clsid == CLSID_Plugin) create = &sq::Plugin::Create;
    else if (clsid == CLSID_clsMP3) create = &CreateClsMP3;
    else return CLASS_E_CLASSNOTAVAILABLE;
    return HresultAtBoundary(L"DllGetClassObject", [&] { return ClassFactory::Make(iid, out, create); });
}

// The window's procedure and timer, and any pending transfer, live in this DLL: unloading it
// under them would crash the player, so each of them holds the module.
extern "C" HRESULT WINAPI DllCanUnloadNow() { return ModuleLock::Count() == 0 ? S_OK : S_FALSE; }

namespace {

HRESULT ChangeRegistration(const wchar_t* where, bool install, RegistrationScope scope) noexcept {
    return HresultAtBoundary(where, [&] {
        const HRESULT hr = install ? RegisterServer(scope) : UnregisterServer(scope);
        if (FAILED(hr)) TraceFailure(where, install ? L"registration failed" : L"unregistration failed", hr);
        return hr;
    });
}

}  // namespace

extern "C" HRESULT WINAPI DllRegisterServer() {
    return ChangeRegistration(L"DllRegisterServer", true, RegistrationScope::Machine);
}

extern "C" HRESULT WINAPI DllUnregisterServer() {
    return ChangeRegistration(L"DllUnregisterServer", false, RegistrationScope::Machine);
}

// regsvr32 /n /i:user registers for the current user only, without administrator rights.
extern "C" HRESULT WINAPI DllInstall(BOOL install, LPCWSTR command_line) {
    const bool user = command_line && ::lstrcmpiW(command_line, L"user") == 0;
    return ChangeRegistration(L"DllInstall", install != FALSE, user ? RegistrationScope::User : RegistrationScope::Machine);
}
