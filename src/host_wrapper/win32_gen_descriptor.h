#pragma once
// The record a general-purpose plug-in hands the player: the player reads the description for
// its plug-in list, fills in its main window and the plug-in's module handle, then calls init;
// config when the user asks to configure the plug-in, quit when the player shuts down.
#include <windows.h>

namespace sq {

inline constexpr int kGeneralPurposeVersion = 0x10;

struct GeneralPurposePlugin {
    int version;
    char* description;
    int(__cdecl* init)();  // 0 when the plug-in is ready
    void(__cdecl* config)();
    void(__cdecl* quit)();
    HWND hwndParent;
    HINSTANCE hDllInstance;
};

using GetGeneralPurposePluginFn = GeneralPurposePlugin*(__cdecl*)();

}  // namespace sq
