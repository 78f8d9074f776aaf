#pragma once
// General-purpose plug-ins, loaded as the player loads them: every gen_*.dll of the Plugins
// folder beside the program; the descriptor, hwndParent and hDllInstance, then init; config
// when the user picks it; quit when the player shuts down; and, on 5.x, the optional export
// winampUninstallPlugin when the user removes one from the plug-in list.
#include <windows.h>

#include <string>
#include <vector>

#include "host_wrapper/win32_gen_descriptor.h"

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

// What winampUninstallPlugin answers: 1 (5.5 on) has the player quit, free and delete the plug-in
// at once; 0, or no such export, has it close and start again, deleting the DLL before it loads
// its plug-ins (restart.h).
using UninstallPluginFn = int(__cdecl*)(HINSTANCE, HWND, int);
inline constexpr int kUninstallNow = 1;

enum class Removal { kNone, kDeletedNow, kRestart };

enum class QuitOrder { kLoadOrder, kReverseLoadOrder };

class GenPlugins {
public:
    // Deletes the DLLs that earlier runs were asked to remove (listed in `pending_list`), then
    // loads and starts every plug-in of `folder` (with a trailing backslash).
    void LoadAll(const std::string& folder, HWND player, const std::string& pending_list = {});
    void Config(size_t index);
    // Calls quit on every running plug-in (once).
    void QuitAll(QuitOrder order = QuitOrder::kLoadOrder);
    // Removes a plug-in as the user does in the preferences' plug-in list; on kRestart the DLL is
    // listed for deletion at the next start.
    Removal Uninstall(size_t index, HWND player);
    // Unloads the plug-in modules, as 2.x does after quit.
    void FreeAll();

    const std::vector<LoadedPlugin>& plugins() const { return plugins_; }

private:
    void DeletePending(const std::string& folder);

    std::vector<LoadedPlugin> plugins_;
    std::string folder_;
    std::string pending_list_;
    bool quit_ = false;
};

}  // namespace sim
