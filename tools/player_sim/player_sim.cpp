// A stand-in for the Winamp player, for development and demonstration: a window of the player's
// class whose title follows a playlist of real files on a schedule, request 120 and the playlist
// file, the file-type registration the plug-in uses to find the player's folder, and the
// general-purpose plug-ins of its Plugins folder.
//
//   player_sim [options] song.mp3 ...
//     --schedule S1,S2,...   seconds each song plays (default 60 each); the last one then stays
//     --config-after S       opens the first running plug-in's configuration after S seconds
//     --press-save-after S   presses "&Save" in a plug-in window of this thread after S seconds
//     --exit-after S         closes the player after S seconds
//     --linger MS            keeps dispatching messages for MS ms after quit (default 1500)
//     --log FILE             writes the log to FILE as well
//     --report-module NAME   logs where module NAME was loaded from, after the plug-ins started
//     --register-only        registers the player's file type and exits (as the player's setup does)
//     --no-watch             does not follow the control window's texts: the hook that does costs
//                            every message on the player's thread a round trip to the Wine server,
//                            which a benchmark of the plug-in's own cost must leave out
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "gen_plugins.h"
#include "playlist.h"
#include "plugin_window_watch.h"
#include "tool_log.h"

namespace sim {
namespace {

constexpr wchar_t kPlayerClass[] = L"Winamp v1.x";
constexpr UINT kPlaylistRequest = 120;
constexpr UINT_PTR kSecondTimer = 1;
constexpr int kListId = 200;
constexpr int kNowPlayingId = 201;
constexpr UINT kCmdNext = 300;
constexpr UINT kCmdExit = 301;
constexpr UINT kCmdConfigBase = 400;

struct Options {
    std::vector<Song> songs;
    int config_after = -1;
    int press_save_after = -1;
    int exit_after = -1;
    DWORD linger_ms = 1500;
    std::string report_module;
    bool register_only = false;
    bool watch = true;
};

struct Player {
    Options options;
    HWND hwnd = nullptr;
    size_t position = 0;
    int song_elapsed = 0;
    int elapsed = 0;
    GenPlugins plugins;
    PluginWindowWatch watch;
    std::string folder;  // with a trailing backslash
};
Player* g_player = nullptr;

std::string FullPath(const std::string& path) {
    char full[MAX_PATH] = {};
    const DWORD n = ::GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return n > 0 && n < MAX_PATH ? std::string(full) : path;
}

std::string ProgramPath() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

bool ParseOptions(int argc, char** argv, Options& options) {
    std::vector<int> schedule;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool has_value = i + 1 < argc;
        if (arg == "--schedule" && has_value) {
            std::string list = argv[++i];
            for (size_t start = 0; start <= list.size();) {
                size_t comma = list.find(',', start);
                if (comma == std::string::npos) comma = list.size();
                schedule.push_back(std::atoi(list.substr(start, comma - start).c_str()));
                start = comma + 1;
            }
        } else if (arg == "--config-after" && has_value) {
            options.config_after = std::atoi(argv[++i]);
        } else if (arg == "--press-save-after" && has_value) {
            options.press_save_after = std::atoi(argv[++i]);
        } else if (arg == "--exit-after" && has_value) {
            options.exit_after = std::atoi(argv[++i]);
        } else if (arg == "--linger" && has_value) {
            options.linger_ms = static_cast<DWORD>(std::atoi(argv[++i]));
        } else if (arg == "--log" && has_value) {
            OpenLogFile(argv[++i]);
        } else if (arg == "--report-module" && has_value) {
            options.report_module = argv[++i];
        } else if (arg == "--register-only") {
            options.register_only = true;
        } else if (arg == "--no-watch") {
            options.watch = false;
        } else if (arg.rfind("--", 0) == 0) {
            return false;
        } else {
            Song song;
            song.path = FullPath(arg);
            ReadTags(song);
            options.songs.push_back(song);
        }
    }
    for (size_t i = 0; i < options.songs.size(); ++i) {
        if (i < schedule.size() && schedule[i] > 0) options.songs[i].seconds = schedule[i];
    }
    return true;
}

// Lets the plug-in find the player's folder as it finds the real player's.
void RegisterFileType() {
    const std::string command = "\"" + ProgramPath() + "\" \"%1\"";
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CLASSES_ROOT, "WinAmp.File\\shell\\play\\command", 0, nullptr, 0, KEY_SET_VALUE,
                          nullptr, &key, nullptr) != ERROR_SUCCESS) {
        Log("player: cannot register WinAmp.File");
        return;
    }
    ::RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                     static_cast<DWORD>(command.size() + 1));
    ::RegCloseKey(key);
    Log("player: registered HKEY_CLASSES_ROOT\\WinAmp.File\\shell\\play\\command = %s", command.c_str());
}

void ShowSong(Player& p) {
    p.watch.SetSong(p.position + 1, p.options.songs.size());
    const std::string title = WindowTitle(p.options.songs, p.position);
    ::SetWindowTextA(p.hwnd, title.c_str());
    const std::string line = p.position < p.options.songs.size() ? "Playing: " + p.options.songs[p.position].path
                                                                 : std::string("Stopped");
    ::SetDlgItemTextA(p.hwnd, kNowPlayingId, line.c_str());
    Log("player: song %u of %u, title \"%s\"", static_cast<unsigned>(p.position + 1),
        static_cast<unsigned>(p.options.songs.size()), title.c_str());
}

void NextSong(Player& p) {
    if (p.position + 1 >= p.options.songs.size()) return;
    ++p.position;
    p.song_elapsed = 0;
    ShowSong(p);
}

BOOL CALLBACK PressSaveIn(HWND window, LPARAM) {
    if (window == g_player->hwnd || !::IsWindowVisible(window)) return TRUE;
    HWND save = ::FindWindowExA(window, nullptr, "Button", "&Save");
    if (save) {
        Log("player: pressing \"&Save\" in the plug-in's window");
        ::SendMessageA(save, BM_CLICK, 0, 0);
    }
    return TRUE;
}

void PressSaveInPluginWindows() { ::EnumThreadWindows(::GetCurrentThreadId(), PressSaveIn, 0); }

void RefreshPluginList(Player& p) {
    HWND list = ::GetDlgItem(p.hwnd, kListId);
    ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
    HMENU menu = ::CreatePopupMenu();
    for (size_t i = 0; i < p.plugins.plugins().size(); ++i) {
        const LoadedPlugin& plugin = p.plugins.plugins()[i];
        const std::string text = plugin.ListText();
        ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        const std::string item = "Configure " + (plugin.Description().empty() ? plugin.file : plugin.Description());
        ::AppendMenuA(menu, plugin.running() ? MF_STRING : MF_STRING | MF_GRAYED,
                      kCmdConfigBase + static_cast<UINT>(i), item.c_str());
    }
    if (p.plugins.plugins().empty()) ::AppendMenuA(menu, MF_STRING | MF_GRAYED, kCmdConfigBase, "(none)");
    HMENU bar = ::GetMenu(p.hwnd);
    ::AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), "Plug-&ins");
    ::DrawMenuBar(p.hwnd);
}

void ReportModule(const std::string& name) {
    if (name.empty()) return;
    HMODULE module = ::GetModuleHandleA(name.c_str());
    char path[MAX_PATH] = {};
    if (module) ::GetModuleFileNameA(module, path, MAX_PATH);
    Log("player: module %s: %s", name.c_str(), module ? path : "not loaded");
}

void OnSecond(Player& p) {
    ++p.elapsed;
    ++p.song_elapsed;
    if (p.position < p.options.songs.size() && p.song_elapsed >= p.options.songs[p.position].seconds) NextSong(p);
    if (p.elapsed == p.options.config_after) {
        ::PostMessageW(p.hwnd, WM_COMMAND, kCmdConfigBase, 0);
    }
    if (p.elapsed == p.options.press_save_after) PressSaveInPluginWindows();
    if (p.elapsed == p.options.exit_after) {
        Log("player: closing after %d s", p.elapsed);
        ::PostMessageW(p.hwnd, WM_CLOSE, 0, 0);
    }
}

LRESULT CALLBACK PlayerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Player& p = *g_player;
    switch (msg) {
    case WM_USER:
        if (lp == kPlaylistRequest) {
            // The player rewrites its playlist file before it answers with the position.
            WritePlaylistFile(p.options.songs, p.folder + "WINAMP.m3u");
            return static_cast<LRESULT>(p.position);
        }
        return 0;
    case WM_TIMER:
        if (wp == kSecondTimer) OnSecond(p);
        return 0;
    case WM_COMMAND: {
        const UINT id = LOWORD(wp);
        if (id == kCmdNext) NextSong(p);
        if (id == kCmdExit) ::PostMessageW(hwnd, WM_CLOSE, 0, 0);
        if (id >= kCmdConfigBase && id < kCmdConfigBase + p.plugins.plugins().size()) p.plugins.Config(id - kCmdConfigBase);
        return 0;
    }
    case WM_CLOSE:
        ::KillTimer(hwnd, kSecondTimer);
        p.plugins.QuitAll();
        ::DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcW(hwnd, msg, wp, lp);
    }
}

HWND CreatePlayerWindow(HINSTANCE instance) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = PlayerProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kPlayerClass;
    if (!::RegisterClassW(&wc)) return nullptr;

    HMENU bar = ::CreateMenu();
    HMENU play = ::CreatePopupMenu();
    ::AppendMenuA(play, MF_STRING, kCmdNext, "&Next song");
    ::AppendMenuA(play, MF_STRING, kCmdExit, "E&xit");
    ::AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(play), "&Play");

    HWND hwnd = ::CreateWindowExW(0, kPlayerClass, L"Winamp 2.91", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 420, 420, 560, 240,
                                  nullptr, bar, instance, nullptr);
    if (!hwnd) return nullptr;
    HFONT font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    HWND now = ::CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE, 8, 8, 530, 20, hwnd,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kNowPlayingId)), instance, nullptr);
    HWND caption = ::CreateWindowExA(0, "Static", "General purpose plug-ins:", WS_CHILD | WS_VISIBLE, 8, 36, 530, 18,
                                     hwnd, nullptr, instance, nullptr);
    HWND list = ::CreateWindowExA(WS_EX_CLIENTEDGE, "ListBox", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT,
                                  8, 56, 530, 110, hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)),
                                  instance, nullptr);
    for (HWND child : {now, caption, list}) ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    return hwnd;
}

int Run(int argc, char** argv) {
    Player player;
    g_player = &player;
    if (!ParseOptions(argc, argv, player.options)) {
        Log("usage: player_sim [--schedule S1,S2,...] [--config-after S] [--press-save-after S] [--exit-after S] "
            "[--linger MS] [--log FILE] [--report-module NAME] [--register-only] [--no-watch] song.mp3 ...");
        return 2;
    }
    const std::string program = ProgramPath();
    player.folder = program.substr(0, program.find_last_of('\\') + 1);
    RegisterFileType();
    if (player.options.register_only) return 0;

    player.hwnd = CreatePlayerWindow(::GetModuleHandleW(nullptr));
    if (!player.hwnd) {
        Log("player: cannot create the window (is there a display?)");
        return 1;
    }
    for (const Song& song : player.options.songs) {
        Log("player: playlist entry \"%s - %s\" (%d s) %s", song.artist.c_str(), song.title.c_str(), song.seconds,
            song.path.c_str());
    }
    ShowSong(player);
    if (player.options.watch) player.watch.Start();
    player.plugins.LoadAll(player.folder + "Plugins\\", player.hwnd);
    RefreshPluginList(player);
    ReportModule(player.options.report_module);
    player.watch.LogCurrent();

    ::SetTimer(player.hwnd, kSecondTimer, 1000, nullptr);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }

    // Plug-in windows may outlive quit; their messages keep being dispatched until the end.
    const DWORD until = ::GetTickCount() + player.options.linger_ms;
    while (static_cast<LONG>(until - ::GetTickCount()) > 0) {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(20);
    }
    player.watch.Stop();
    player.plugins.FreeAll();
    Log("player: exited cleanly");
    g_player = nullptr;
    return 0;
}

}  // namespace
}  // namespace sim

int main(int argc, char** argv) { return sim::Run(argc, argv); }
