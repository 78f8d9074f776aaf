#pragma once
// The simulator's command line (player_sim.cpp lists the options).
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "winamp_model/entry.h"
#include "winamp_model/profile.h"

namespace sim {

enum class Action { kPlay, kPause, kStop, kNext, kDelete, kClear, kOutput, kSeek, kRetag };

struct Event {
    int second;
    Action action;
    std::wstring output;  // kOutput: the output plug-in's file name
    int to_second = 0;    // kSeek: where in the song
    std::wstring artist;  // kRetag: the tags saved
    std::wstring title;
};

// Entries --generated added: `count` of them from entries[first].
struct GeneratedEntries {
    std::size_t first;
    std::size_t count;
};

struct Options {
    const Profile* profile = &Winamp2();
    std::vector<Entry> entries;
    std::vector<GeneratedEntries> generated;
    std::size_t start_at = 0;
    bool idle = false;
    std::vector<Event> events;
    bool numbered = true;
    bool answers_entries = true;
    bool foreign_window = false;
    bool mta_first_thread = false;
    int config_after = -1;
    int press_save_after = -1;
    int uninstall_after = -1;
    int exit_after = -1;
    DWORD linger_ms = 1500;
    std::wstring playlist_folder;
    bool relative_paths = false;
    bool marked_changed = false;
    bool scroll_title = false;
    std::wstring output = L"out_ds.dll";
    int disk_speed = 40;
    int reopen_ms = 1500;
    std::string report_module;
    bool register_only = false;
    bool watch = true;
    DWORD after_process = 0;
    std::wstring log_file;
    std::vector<std::wstring> arguments;  // as given, for a restart to pass on
};

// False for an unknown option or a malformed value.
bool ParseOptions(const std::vector<std::wstring>& arguments, Options& options);

extern const char kUsage[];

}  // namespace sim
