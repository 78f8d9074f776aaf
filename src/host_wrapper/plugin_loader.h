#pragma once
// Finds and creates Sonoquill_WA.Plugin: through COM when the class is registered, otherwise
// straight from Sonoquill_WA.dll beside the wrapper, so that copying the two files into the
// player's Plugins folder is a complete install.
#include <windows.h>

#include <string>

#include "common/com_ptr.h"
#include "kvo_winamp_gen.h"

namespace sq {

inline constexpr wchar_t kPluginProgId[] = L"Sonoquill_WA.Plugin";
inline constexpr wchar_t kPluginDllName[] = L"Sonoquill_WA.dll";

enum class PluginSource { None, Registered, BesideWrapper };

struct CreatedPlugin {
    ComPtr<IKvoWinAmpGenPlugin> plugin;
    PluginSource source = PluginSource::None;
    HRESULT hr = E_FAIL;  // why nothing was created, when nothing was
};

// Folder of the given module, with a trailing backslash.
std::wstring ModuleFolder(HMODULE module);

CreatedPlugin CreatePlugin(HMODULE wrapper_module);

// Keeps the module holding `code` loaded until the process ends: the plug-in's window and timer
// live in that module, and the player may free its plug-ins (and COM its servers) while they run.
void PinModuleOf(const void* code) noexcept;

}  // namespace sq
