#pragma once
// Finds and creates Sonoquill_WA.Plugin on the player's thread: the registered server first,
// else Sonoquill_WA.dll beside the wrapper, so that copying the two files into the player's
// Plugins folder is a complete install.
#include <windows.h>

#include <string>

#include "common/win32_com_ptr.h"
#include "kvo_winamp_gen.h"

namespace sq {

inline constexpr wchar_t kPluginProgId[] = L"Sonoquill_WA.Plugin";
inline constexpr wchar_t kPluginDllName[] = L"Sonoquill_WA.dll";

enum class PluginSource { None, Registered, BesideWrapper };

// How the player's thread takes part in COM. Winamp 2.x leaves it to the wrapper, which makes it
// a single-threaded apartment; Winamp 5.9 loads its plug-ins on a thread it has made one itself.
// A host whose thread is in the multithreaded apartment gets the plug-in all the same.
enum class ThreadApartment { SingleThreaded, MultiThreaded };

struct CreatedPlugin {
    ComPtr<IKvoWinAmpGenPlugin> plugin;
    PluginSource source = PluginSource::None;
    HRESULT hr = E_FAIL;  // why nothing was created, when nothing was
};

// The apartment of the calling thread, after the wrapper's own CoInitializeEx answered `own_init`.
ThreadApartment ApartmentOfThisThread(HRESULT own_init) noexcept;

// Folder of the given module, with a trailing backslash; empty when its path cannot be read.
std::wstring ModuleFolder(HMODULE module);

// In a single-threaded apartment COM creates the registered class in place. In any other the
// class (registered "Apartment") would be made on a thread COM starts for it, away from the
// player's thread that has to own its window and timer; there the object is made straight from
// the registered DLL's class factory instead.
CreatedPlugin CreatePlugin(HMODULE wrapper_module, ThreadApartment apartment);

// Keeps the module holding `code` loaded until the process ends: the plug-in's window and timer
// live in that module, and the player may free its plug-ins (and COM its servers) while they run.
void PinModuleOf(const void* code) noexcept;

}  // namespace sq
