#include "gen_plugins.h"

#include <algorithm>
#include <cstdio>

#include "tool_log.h"

namespace sim {
namespace {

double MillisecondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now, frequency;
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

}  // namespace

std::string LoadedPlugin::Description() const {
    return descriptor && descriptor->description ? std::string(descriptor->description) : std::string();
}

std::string LoadedPlugin::ListText() const {
    const std::string text = Description().empty() ? file : Description() + "  [" + file + "]";
    return running() ? text : text + "  (not loaded)";
}

void GenPlugins::DeletePending(const std::string& folder) {
    std::FILE* list = std::fopen(pending_list_.c_str(), "r");
    if (!list) return;
    char line[MAX_PATH] = {};
    while (std::fgets(line, sizeof line, list)) {
        std::string file = line;
        while (!file.empty() && (file.back() == '\n' || file.back() == '\r')) file.pop_back();
        if (file.empty()) continue;
        const bool deleted = ::DeleteFileA((folder + file).c_str()) || ::GetLastError() == ERROR_FILE_NOT_FOUND;
        Log("plug-in %s: %s, as asked when it was removed", file.c_str(), deleted ? "deleted" : "cannot be deleted");
    }
    std::fclose(list);
    ::DeleteFileA(pending_list_.c_str());
}

void GenPlugins::LoadAll(const std::string& folder, HWND player, const std::string& pending_list) {
    folder_ = folder;
    pending_list_ = pending_list;
    if (!pending_list_.empty()) DeletePending(folder);
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
        LARGE_INTEGER load_start;
        ::QueryPerformanceCounter(&load_start);
        plugin.module = ::LoadLibraryA((folder + file).c_str());
        const double load_ms = MillisecondsSince(load_start);
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
        LARGE_INTEGER init_start;
        ::QueryPerformanceCounter(&init_start);
        plugin.init_result = plugin.descriptor->init();
        const double init_ms = MillisecondsSince(init_start);
        Log("plug-in %s: init returned %d; listed as \"%s\"", file.c_str(), plugin.init_result,
            plugin.ListText().c_str());
        // The delay the plug-in adds to the player's start (bench/run.sh reads this line).
        Log("plug-in %s: loading took %.1f ms, init %.1f ms", file.c_str(), load_ms, init_ms);
        plugins_.push_back(plugin);
    }
}

void GenPlugins::Config(size_t index) {
    if (index >= plugins_.size() || !plugins_[index].running() || quit_) return;
    Log("plug-in %s: config ...", plugins_[index].file.c_str());
    plugins_[index].descriptor->config();
    Log("plug-in %s: config returned", plugins_[index].file.c_str());
}

void GenPlugins::QuitAll(QuitOrder order) {
    if (quit_) return;
    quit_ = true;
    std::vector<LoadedPlugin*> in_order;
    for (LoadedPlugin& plugin : plugins_) in_order.push_back(&plugin);
    if (order == QuitOrder::kReverseLoadOrder) std::reverse(in_order.begin(), in_order.end());
    for (LoadedPlugin* plugin : in_order) {
        if (!plugin->running()) continue;
        Log("plug-in %s: quit ...", plugin->file.c_str());
        plugin->descriptor->quit();
        Log("plug-in %s: quit returned", plugin->file.c_str());
    }
}

Removal GenPlugins::Uninstall(size_t index, HWND player) {
    if (index >= plugins_.size() || !plugins_[index].module || quit_) return Removal::kNone;
    LoadedPlugin& plugin = plugins_[index];
    auto uninstall = reinterpret_cast<UninstallPluginFn>(
        reinterpret_cast<void*>(::GetProcAddress(plugin.module, "winampUninstallPlugin")));
    int answer = 0;
    if (uninstall) {
        Log("plug-in %s: winampUninstallPlugin ...", plugin.file.c_str());
        answer = uninstall(plugin.module, player, 0);
        Log("plug-in %s: winampUninstallPlugin returned %d", plugin.file.c_str(), answer);
    } else {
        Log("plug-in %s: no winampUninstallPlugin", plugin.file.c_str());
    }
    if (answer == kUninstallNow) {
        if (plugin.running()) plugin.descriptor->quit();
        ::FreeLibrary(plugin.module);
        const BOOL deleted = ::DeleteFileA((folder_ + plugin.file).c_str());
        Log("plug-in %s: quit, unloaded, %s and no longer listed", plugin.file.c_str(),
            deleted ? "deleted" : "cannot be deleted");
        plugins_.erase(plugins_.begin() + static_cast<std::ptrdiff_t>(index));
        return Removal::kDeletedNow;
    }
    if (std::FILE* list = std::fopen(pending_list_.c_str(), "a")) {
        std::fprintf(list, "%s\n", plugin.file.c_str());
        std::fclose(list);
    }
    return Removal::kRestart;
}

void GenPlugins::FreeAll() {
    for (LoadedPlugin& plugin : plugins_) {
        if (plugin.module) ::FreeLibrary(plugin.module);
        plugin.module = nullptr;
        plugin.descriptor = nullptr;
    }
}

}  // namespace sim
