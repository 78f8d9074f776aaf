#pragma once
// General-purpose plug-ins, loaded as the player loads them: every gen_*.dll of the Plugins
// folder beside the program; the descriptor, hwndParent and hDllInstance, then init; config
// when the user picks it; quit when the player shuts down.
#include <windows.h>

#include <string>
#include <vector>

#include "host_wrapper/gen_descriptor.h"

namespace sim {

struct LoadedPlugin {
    std::string file;  // e.g. gen_sonoquill.dll
    HMODULE module = nullptr;
    sq::GeneralPurposePlugin* descriptor = nullptr;
    int init_result = -1;
    bool running() const { return descriptor && init_result == 0; }
    std::string Description() const;
    std::string ListText() const;  // what the player's plug-in list shows
};

class GenPlugins {
public:
    // Loads and starts every plug-in of `folder` (with a trailing backslash).
    void LoadAll(const std::string& folder, HWND player);
    void Config(size_t index);
    // Calls quit on every running plug-in (once).
    void QuitAll();
    // Unloads the plug-in modules, as the player does after quit.
    void FreeAll();

    const std::vector<LoadedPlugin>& plugins() const { return plugins_; }

private:
    std::vector<LoadedPlugin> plugins_;
    bool quit_ = false;
};

}  // namespace sim
