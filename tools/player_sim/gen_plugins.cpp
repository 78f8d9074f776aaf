#include "gen_plugins.h"

#include <algorithm>

#include "tool_log.h"

namespace sim {

std::string LoadedPlugin::Description() const {
    return descriptor && descriptor->description ? std::string(descriptor->description) : std::string();
}

std::string LoadedPlugin::ListText() const {
    std::string text = Description().empty() ? file : Description() + "  [" + file + "]";
    if (!running()) text += "  (not loaded)";
    return text;
}

void GenPlugins::LoadAll(const std::string& folder, HWND player) {
    std::vector<std::string> files;
    WIN32_FIND_DATAA found{};
    HANDLE find = ::FindFirstFileA((folder + "gen_*.dll").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.emplace_back(found.cFileName);
        } while (::FindNextFileA(find, &found));
        ::FindClose(find);
    }
    std::sort(files.begin(), files.end());

    for (const std::string& file : files) {
        LoadedPlugin plugin;
        plugin.file = file;
        plugin.module = ::LoadLibraryA((folder + file).c_str());
        if (!plugin.module) {
            Log("plug-in %s: cannot be loaded (error %lu)", file.c_str(), ::GetLastError());
            plugins_.push_back(plugin);
            continue;
        }
        auto get = reinterpret_cast<sq::GetGeneralPurposePluginFn>(
            reinterpret_cast<void*>(::GetProcAddress(plugin.module, "winampGetGeneralPurposePlugin")));
        plugin.descriptor = get ? get() : nullptr;
        if (!plugin.descriptor || plugin.descriptor->version != sq::kGeneralPurposeVersion) {
            Log("plug-in %s: no general-purpose descriptor", file.c_str());
            plugin.descriptor = nullptr;
            plugins_.push_back(plugin);
            continue;
        }
        plugin.descriptor->hwndParent = player;
        plugin.descriptor->hDllInstance = plugin.module;
        Log("plug-in %s: init ...", file.c_str());
        plugin.init_result = plugin.descriptor->init();
        Log("plug-in %s: init returned %d; listed as \"%s\"", file.c_str(), plugin.init_result,
            plugin.ListText().c_str());
        plugins_.push_back(plugin);
    }
}

void GenPlugins::Config(size_t index) {
    if (index >= plugins_.size() || !plugins_[index].running() || quit_) return;
    Log("plug-in %s: config ...", plugins_[index].file.c_str());
    plugins_[index].descriptor->config();
    Log("plug-in %s: config returned", plugins_[index].file.c_str());
}

void GenPlugins::QuitAll() {
    if (quit_) return;
    quit_ = true;
    for (LoadedPlugin& plugin : plugins_) {
        if (!plugin.running()) continue;
        plugin.descriptor->quit();
        Log("plug-in %s: quit returned", plugin.file.c_str());
    }
}

void GenPlugins::FreeAll() {
    for (LoadedPlugin& plugin : plugins_) {
        if (plugin.module) ::FreeLibrary(plugin.module);
        plugin.module = nullptr;
        plugin.descriptor = nullptr;
    }
}

}  // namespace sim
