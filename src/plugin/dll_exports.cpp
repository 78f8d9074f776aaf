// The COM in-process server's entry points.
#include <windows.h>

#include "media/cls_mp3_com.h"
#include "plugin/class_factory.h"
#include "plugin/module.h"
#include "plugin/plugin.h"
#include "plugin/registration.h"
#include "sonoquill_wa.h"

using namespace sq;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        SetModuleInstance(instance);
        ::DisableThreadLibraryCalls(instance);
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
    try {
        return ClassFactory::Make(iid, out, create);
    } catch (...) {
        return E_UNEXPECTED;
    }
}

// The window's procedure and timer, and any pending transfer, live in this DLL: unloading it
// under them would crash the player, so each of them holds the module.
extern "C" HRESULT WINAPI DllCanUnloadNow() { return ModuleLock::Count() == 0 ? S_OK : S_FALSE; }

extern "C" HRESULT WINAPI DllRegisterServer() {
    try { return RegisterServer(RegistrationScope::Machine); } catch (...) { return E_UNEXPECTED; }
}

extern "C" HRESULT WINAPI DllUnregisterServer() {
    try { return UnregisterServer(RegistrationScope::Machine); } catch (...) { return E_UNEXPECTED; }
}

// regsvr32 /n /i:user registers for the current user only, without administrator rights.
extern "C" HRESULT WINAPI DllInstall(BOOL install, LPCWSTR command_line) {
    try {
        const bool user = command_line && ::lstrcmpiW(command_line, L"user") == 0;
        const RegistrationScope scope = user ? RegistrationScope::User : RegistrationScope::Machine;
        return install ? RegisterServer(scope) : UnregisterServer(scope);
    } catch (...) {
        return E_UNEXPECTED;
    }
}
