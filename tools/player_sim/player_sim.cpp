// A stand-in for the Winamp player, for development and demonstration: a window of the player's
// class whose title follows a playlist of real files as they play, pause and stop, request 120
// and the playlist files, request 104 (the play state), 211 (an entry's path, in-process), the
// file-type registration the plug-in uses to find the player's folder, and the general-purpose
// plug-ins of its Plugins folder. It behaves as one of two players:
// - 2.x (Winamp 2.91, the default): WINAMP.m3u beside the program with an information line for
//   every entry; quit from the main window's close, then FreeLibrary after a while of messages.
// - 5.x (Winamp 5.9.2): the main thread in the multithreaded apartment before plug-ins load;
//   Winamp.m3u and Winamp.m3u8 in a per-user playlist folder (%APPDATA%\Winamp), information
//   lines only for songs already played, rewritten only when changed; requests 337/338 (that
//   folder as char*/wchar_t*), 335 (settings folder), 125 and 214 (an entry's path as wchar_t*)
//   answered in-process as well; titles with " [Paused]"/" [Stopped]" and "Winamp 5.9.2 Build
//   10042" without a song; quit after the main loop has ended and the window is gone, in reverse
//   load order, with no FreeLibrary and no message dispatched after it; plug-ins removed from the
//   Plug-ins menu through their winampUninstallPlugin export.
// A song plays on only while the player plays: paused or stopped, its time stands still.
//
//   player_sim [options] song.mp3 ...
//     --profile 2|5          the player to behave as (default 2)
//     --schedule S1,S2,...   seconds each song plays (default 60 each); the last one then stays
//     --start-at N           starts with song N (1-based), as when the user picks it in the list;
//                            on 5.x the songs before it have no details yet
//     --idle                 starts as after an ordinary start with a restored playlist: stopped,
//                            the player's own name as its title, the position at the restored
//                            song; nothing plays until a "play" event (or the Play menu)
//     --events S=A,...       at second S of the run does A: play, pause, stop or next
//     --no-numbers           titles without the playlist number (the player's option off)
//     --no-entry-answers     leaves 211 and 214 unanswered, as a player that lacks them
//     hidden:TEXT            (in place of a song) a hidden entry, such as a stream's advert
//                            curtain: counted in the position and by 211/214, never in the files,
//                            skipped when the next song starts
//     --config-after S       opens the first running plug-in's configuration after S seconds
//     --press-save-after S   presses "&Save" in a plug-in window of this thread after S seconds
//     --uninstall-after S    removes the first listed plug-in after S seconds (5.x)
//     --exit-after S         closes the player after S seconds
//     --linger MS            keeps dispatching messages for MS ms after quit (2.x; default 1500)
//     --playlist-folder DIR  the 5.x playlist folder (default %APPDATA%\Winamp)
//     --relative-paths       writes paths as 5.6x-5.7 do: relative to the playlist folder, or
//                            without the drive for files on its drive
//     --log FILE             writes the log to FILE as well
//     --report-module NAME   logs where module NAME was loaded from, after the plug-ins started
//     --register-only        registers the player's file type and exits (as the player's setup does)
//     --no-watch             does not follow the control window's texts: the hook that does costs
//                            every message on the player's thread a round trip to the Wine server,
//                            which a benchmark of the plug-in's own cost must leave out
//     --foreign-window       runs as another program's window of the player's class instead (see
//                            foreign_window.h); takes --exit-after and --log
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "common/module.h"
#include "common/path_text.h"
#include "foreign_window.h"
#include "gen_plugins.h"
#include "playlist.h"
#include "plugin_window_watch.h"
#include "tool_log.h"

namespace sim {
namespace {

constexpr wchar_t kPlayerClass[] = L"Winamp v1.x";
constexpr LPARAM kPlaylistRequest = 120;
constexpr UINT_PTR kSecondTimer = 1;
constexpr int kListId = 200;
constexpr int kNowPlayingId = 201;
constexpr UINT kCmdNext = 300;
constexpr UINT kCmdExit = 301;
constexpr UINT kCmdPlay = 302;
constexpr UINT kCmdPause = 303;
constexpr UINT kCmdStop = 304;
constexpr UINT kCmdConfigBase = 400;
constexpr UINT kCmdUninstallBase = 500;
constexpr int kPlaying = 1;
constexpr int kPaused = 3;
constexpr int kStopped = 0;

struct Profile {
    int major;
    const wchar_t* name;     // the window title with no song
    const char* log_name;
};
constexpr Profile kWinamp2{2, L"Winamp 2.91", "Winamp 2.91 (2.x)"};
constexpr Profile kWinamp5{5, L"Winamp 5.9.2 Build 10042", "Winamp 5.9.2 (5.x)"};

struct Event {
    int second;
    UINT command;
};

struct Options {
    const Profile* profile = &kWinamp2;
    std::vector<Song> songs;
    size_t start_at = 0;
    bool idle = false;
    std::vector<Event> events;
    bool numbered = true;
    bool answers_entries = true;
    bool foreign_window = false;
    int config_after = -1;
    int press_save_after = -1;
    int uninstall_after = -1;
    int exit_after = -1;
    DWORD linger_ms = 1500;
    std::wstring playlist_folder;
    PathStyle path_style = PathStyle::kFull;
    std::string report_module;
    bool register_only = false;
    bool watch = true;
};

struct Player {
    Options options;
    HWND hwnd = nullptr;
    size_t position = 0;
    size_t played_from = 0;  // 5.x has the details of the songs it has played or shown
    size_t played_up_to = 0;
    int play_state = kPlaying;
    bool started = true;  // false until the first play after an idle start: the title is the player's name
    int song_elapsed = 0;  // seconds the current song has played
    int elapsed = 0;
    GenPlugins plugins;
    PluginWindowWatch watch;
    std::string folder;  // with a trailing backslash
    std::string last_written[2];  // 5.x rewrites its playlist files only when they change
    // What the in-process answers point to, alive until the next answer of the same kind.
    std::string narrow_answer;
    std::wstring wide_answer;
    bool winamp5() const { return options.profile->major == 5; }
};
Player* g_player = nullptr;

std::string Utf8(const std::wstring& text) { return EncodedText(text, CP_UTF8); }

std::wstring Wide(const std::string& text) { return DecodedText(text, CP_ACP); }

std::wstring FullPath(const std::wstring& path) {
    wchar_t full[MAX_PATH] = {};
    const DWORD n = ::GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    return n > 0 && n < MAX_PATH ? std::wstring(full) : path;
}

std::string ProgramPath() { return EncodedText(sq::ModulePath(nullptr), CP_ACP); }

std::wstring DefaultPlaylistFolder() {
    wchar_t appdata[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, appdata))) return {};
    return sq::WithTrailingBackslash(std::wstring(appdata)) + L"Winamp\\";
}

// "5=play,20=pause,90=play": at second 5 of the run play, and so on.
bool ParseEvents(const std::wstring& list, std::vector<Event>& events) {
    const struct {
        const wchar_t* name;
        UINT command;
    } kActions[] = {{L"play", kCmdPlay}, {L"pause", kCmdPause}, {L"stop", kCmdStop}, {L"next", kCmdNext}};
    for (size_t start = 0; start < list.size();) {
        size_t comma = list.find(L',', start);
        if (comma == std::wstring::npos) comma = list.size();
        const std::wstring item = list.substr(start, comma - start);
        const size_t equals = item.find(L'=');
        if (equals == std::wstring::npos) return false;
        const std::wstring action = item.substr(equals + 1);
        UINT command = 0;
        for (const auto& known : kActions) {
            if (action == known.name) command = known.command;
        }
        if (command == 0) return false;
        events.push_back({_wtoi(item.substr(0, equals).c_str()), command});
        start = comma + 1;
    }
    return true;
}

// Wide arguments: song paths may hold characters the code page lacks.
bool ParseOptions(Options& options) {
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (!argv) return false;
    std::vector<std::wstring> args(argv + 1, argv + argc);
    ::LocalFree(argv);

    std::vector<int> schedule;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::wstring& arg = args[i];
        const bool has_value = i + 1 < args.size();
        const auto number = [&] { return _wtoi(args[++i].c_str()); };
        if (arg == L"--profile" && has_value) {
            const int major = number();
            if (major != 2 && major != 5) return false;
            options.profile = major == 5 ? &kWinamp5 : &kWinamp2;
        } else if (arg == L"--schedule" && has_value) {
            const std::wstring list = args[++i];
            for (size_t start = 0; start <= list.size();) {
                size_t comma = list.find(L',', start);
                if (comma == std::wstring::npos) comma = list.size();
                schedule.push_back(_wtoi(list.substr(start, comma - start).c_str()));
                start = comma + 1;
            }
        } else if (arg == L"--start-at" && has_value) {
            const int n = number();
            options.start_at = n > 1 ? static_cast<size_t>(n - 1) : 0;
        } else if (arg == L"--idle") {
            options.idle = true;
        } else if (arg == L"--events" && has_value) {
            if (!ParseEvents(args[++i], options.events)) return false;
        } else if (arg == L"--no-numbers") {
            options.numbered = false;
        } else if (arg == L"--no-entry-answers") {
            options.answers_entries = false;
        } else if (arg == L"--foreign-window") {
            options.foreign_window = true;
        } else if (arg == L"--config-after" && has_value) {
            options.config_after = number();
        } else if (arg == L"--press-save-after" && has_value) {
            options.press_save_after = number();
        } else if (arg == L"--uninstall-after" && has_value) {
            options.uninstall_after = number();
        } else if (arg == L"--exit-after" && has_value) {
            options.exit_after = number();
        } else if (arg == L"--linger" && has_value) {
            options.linger_ms = static_cast<DWORD>(number());
        } else if (arg == L"--playlist-folder" && has_value) {
            options.playlist_folder = sq::WithTrailingBackslash(FullPath(args[++i]));
        } else if (arg == L"--relative-paths") {
            options.path_style = PathStyle::kRelativeToPlaylist;
        } else if (arg == L"--log" && has_value) {
            OpenLogFile(EncodedText(args[++i], CP_ACP));
        } else if (arg == L"--report-module" && has_value) {
            options.report_module = EncodedText(args[++i], CP_ACP);
        } else if (arg == L"--register-only") {
            options.register_only = true;
        } else if (arg == L"--no-watch") {
            options.watch = false;
        } else if (arg.rfind(L"--", 0) == 0) {
            return false;
        } else if (arg.rfind(L"hidden:", 0) == 0) {
            Song curtain;
            curtain.path = arg.substr(7);
            curtain.hidden = true;
            options.songs.push_back(curtain);
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

const char* StateName(int state) { return state == kPlaying ? "playing" : state == kPaused ? "paused" : "stopped"; }

std::wstring CurrentTitle(const Player& p) {
    if (!p.started) return p.options.profile->name;
    std::wstring title = WindowTitle(p.options.songs, p.position, p.options.profile->name, p.options.numbered);
    if (p.winamp5() && p.position < p.options.songs.size()) {
        if (p.play_state == kPaused) title += L" [Paused]";
        if (p.play_state == kStopped) title += L" [Stopped]";
    }
    return title;
}

void ShowSong(Player& p) {
    p.watch.SetSong(p.position + 1, p.options.songs.size());
    if (p.started && p.position > p.played_up_to) p.played_up_to = p.position;
    const std::wstring title = CurrentTitle(p);
    ::SetWindowTextW(p.hwnd, title.c_str());
    const bool has_song = p.position < p.options.songs.size();
    const std::wstring line = has_song ? std::wstring(p.play_state == kPlaying ? L"Playing: " : L"Not playing: ") +
                                             p.options.songs[p.position].path
                                       : std::wstring(L"Stopped");
    ::SetDlgItemTextW(p.hwnd, kNowPlayingId, line.c_str());
    Log("player: song %u of %u %s, title \"%s\"", static_cast<unsigned>(p.position + 1),
        static_cast<unsigned>(p.options.songs.size()), StateName(p.play_state), Utf8(title).c_str());
}

// The next entry that is not hidden; the song stays when there is none.
void NextSong(Player& p) {
    size_t next = p.position + 1;
    while (next < p.options.songs.size() && p.options.songs[next].hidden) ++next;
    if (next >= p.options.songs.size()) return;
    p.position = next;
    p.song_elapsed = 0;
    ShowSong(p);
}

void SetPlayState(Player& p, int state) {
    if (state == kStopped) p.song_elapsed = 0;
    if (state == kPlaying) p.started = true;
    p.play_state = state;
    ShowSong(p);
}

// Request 120: the position, after the playlist file(s) are written; -1 for no playlist (5.x).
LRESULT WritePlaylist(Player& p) {
    if (!p.winamp5()) {
        WritePlaylistFile(p.options.songs, Wide(p.folder) + L"WINAMP.m3u");
        return static_cast<LRESULT>(p.position);
    }
    if (p.options.songs.empty()) return -1;
    const std::vector<PlaylistEntry> entries = Winamp5Entries(p.options.songs, p.played_from, p.played_up_to);
    const std::wstring& folder = p.options.playlist_folder;
    const std::string files[2] = {PlaylistBytes(entries, folder, p.options.path_style, CP_ACP),
                                  PlaylistBytes(entries, folder, p.options.path_style, CP_UTF8)};
    const bool changed = files[0] != p.last_written[0] || files[1] != p.last_written[1];
    if (changed && WriteWholeFile(folder + L"Winamp.m3u", files[0]) && WriteWholeFile(folder + L"Winamp.m3u8", files[1])) {
        p.last_written[0] = files[0];
        p.last_written[1] = files[1];
    }
    Log("player: request 120: position %u%s", static_cast<unsigned>(p.position),
        changed ? ", Winamp.m3u and Winamp.m3u8 written" : ", playlist unchanged");
    return static_cast<LRESULT>(p.position);
}

// The requests answered besides 120; the text answers are pointers into this process's memory.
LRESULT AnswerRequest(Player& p, WPARAM wp, LPARAM lp) {
    const auto narrow = [&p](const std::wstring& text) {
        p.narrow_answer = EncodedText(text, CP_ACP);
        return reinterpret_cast<LRESULT>(p.narrow_answer.c_str());
    };
    const auto wide = [&p](const std::wstring& text) {
        p.wide_answer = text;
        return reinterpret_cast<LRESULT>(p.wide_answer.c_str());
    };
    const bool entry_exists = p.options.answers_entries && wp < p.options.songs.size();
    if (lp == 104) return p.play_state;
    if (lp == 211) return entry_exists ? narrow(p.options.songs[wp].path) : 0;
    if (!p.winamp5()) return 0;
    switch (lp) {
    case 337:
    case 338:
    case 335:
        Log("player: request %ld (%s folder)", static_cast<long>(lp), lp == 335 ? "settings" : "playlist");
        return lp == 338 ? wide(p.options.playlist_folder) : narrow(p.options.playlist_folder);
    case 125:
        return static_cast<LRESULT>(p.position);
    case 214:
        return entry_exists ? wide(p.options.songs[wp].path) : 0;
    default:
        return 0;
    }
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
        const std::string name = plugin.Description().empty() ? plugin.file : plugin.Description();
        ::AppendMenuA(menu, plugin.running() ? MF_STRING : MF_STRING | MF_GRAYED,
                      kCmdConfigBase + static_cast<UINT>(i), ("Configure " + name).c_str());
        if (p.winamp5()) {
            ::AppendMenuA(menu, plugin.module && !plugin.delete_at_next_start ? MF_STRING : MF_STRING | MF_GRAYED,
                          kCmdUninstallBase + static_cast<UINT>(i), ("Uninstall " + name).c_str());
        }
    }
    if (p.plugins.plugins().empty()) ::AppendMenuA(menu, MF_STRING | MF_GRAYED, kCmdConfigBase, "(none)");
    HMENU bar = ::GetMenu(p.hwnd);
    if (::GetMenuItemCount(bar) > 1) ::DeleteMenu(bar, 1, MF_BYPOSITION);
    ::AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), "Plug-&ins");
    ::DrawMenuBar(p.hwnd);
}

void ReportModule(const std::string& name) {
    if (name.empty()) return;
    HMODULE module = ::GetModuleHandleA(name.c_str());
    Log("player: module %s: %s", name.c_str(), module ? EncodedText(sq::ModulePath(module), CP_ACP).c_str() : "not loaded");
}

void OnCommand(Player& p, UINT id);

void OnSecond(Player& p) {
    ++p.elapsed;
    for (const Event& event : p.options.events) {
        if (event.second == p.elapsed) OnCommand(p, event.command);
    }
    if (p.play_state == kPlaying) ++p.song_elapsed;
    if (p.position < p.options.songs.size() && p.song_elapsed >= p.options.songs[p.position].seconds) NextSong(p);
    if (p.elapsed == p.options.config_after) ::PostMessageW(p.hwnd, WM_COMMAND, kCmdConfigBase, 0);
    if (p.elapsed == p.options.press_save_after) PressSaveInPluginWindows();
    if (p.elapsed == p.options.uninstall_after) ::PostMessageW(p.hwnd, WM_COMMAND, kCmdUninstallBase, 0);
    if (p.elapsed == p.options.exit_after) {
        Log("player: closing after %d s", p.elapsed);
        ::PostMessageW(p.hwnd, WM_CLOSE, 0, 0);
    }
}

void OnCommand(Player& p, UINT id) {
    const size_t count = p.plugins.plugins().size();
    if (id == kCmdNext) NextSong(p);
    if (id == kCmdExit) ::PostMessageW(p.hwnd, WM_CLOSE, 0, 0);
    if (id == kCmdPlay) SetPlayState(p, kPlaying);
    if (id == kCmdPause) SetPlayState(p, p.play_state == kPaused ? kPlaying : kPaused);
    if (id == kCmdStop) SetPlayState(p, kStopped);
    if (id >= kCmdConfigBase && id < kCmdConfigBase + count) p.plugins.Config(id - kCmdConfigBase);
    if (p.winamp5() && id >= kCmdUninstallBase && id < kCmdUninstallBase + count) {
        p.plugins.Uninstall(id - kCmdUninstallBase, p.hwnd);
        RefreshPluginList(p);
    }
}

LRESULT CALLBACK PlayerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Player& p = *g_player;
    switch (msg) {
    case WM_USER:
        if (lp == kPlaylistRequest) return WritePlaylist(p);
        return AnswerRequest(p, wp, lp);
    case WM_TIMER:
        if (wp == kSecondTimer) OnSecond(p);
        return 0;
    case WM_COMMAND:
        OnCommand(p, LOWORD(wp));
        return 0;
    case WM_CLOSE:
        ::KillTimer(hwnd, kSecondTimer);
        // 2.x tells its plug-ins from here; 5.x only once its loop has ended.
        if (!p.winamp5()) p.plugins.QuitAll();
        ::DestroyWindow(hwnd);
        return 0;
    case WM_ENDSESSION:
        // At log-off 5.x's loop never ends: quit runs here.
        if (wp && p.winamp5()) p.plugins.QuitAll(QuitOrder::kReverseLoadOrder);
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcW(hwnd, msg, wp, lp);
    }
}

HWND CreatePlayerWindow(HINSTANCE instance, const Player& p) {
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
    ::AppendMenuA(play, MF_STRING, kCmdPlay, "&Play");
    ::AppendMenuA(play, MF_STRING, kCmdPause, "P&ause");
    ::AppendMenuA(play, MF_STRING, kCmdStop, "&Stop");
    ::AppendMenuA(play, MF_STRING, kCmdExit, "E&xit");
    ::AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(play), "&Play");

    HWND hwnd = ::CreateWindowExW(0, kPlayerClass, p.options.profile->name, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 420, 420,
                                  560, 240, nullptr, bar, instance, nullptr);
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

void DispatchFor(DWORD ms) {
    const DWORD until = ::GetTickCount() + ms;
    MSG msg;
    while (static_cast<LONG>(until - ::GetTickCount()) > 0) {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(20);
    }
}

int Run() {
    Player player;
    g_player = &player;
    if (!ParseOptions(player.options)) {
        Log("usage: player_sim [--profile 2|5] [--schedule S1,S2,...] [--start-at N] [--idle] [--events S=A,...] "
            "[--no-numbers] [--no-entry-answers] [--config-after S] [--press-save-after S] [--uninstall-after S] "
            "[--exit-after S] [--linger MS] [--playlist-folder DIR] [--relative-paths] [--log FILE] "
            "[--report-module NAME] [--register-only] [--no-watch] [--foreign-window] song.mp3|hidden:TEXT ...");
        return 2;
    }
    if (player.options.foreign_window) return RunForeignWindow(player.options.exit_after);
    player.folder = sq::WithTrailingBackslash(sq::FolderOf(ProgramPath()));
    RegisterFileType();
    if (player.options.register_only) return 0;
    Log("player: profile %s", player.options.profile->log_name);

    if (player.winamp5()) {
        const HRESULT hr = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        Log("player: main thread %lu in the multithreaded apartment (CoInitializeEx 0x%08lx)", ::GetCurrentThreadId(),
            static_cast<unsigned long>(hr));
        if (player.options.playlist_folder.empty()) player.options.playlist_folder = DefaultPlaylistFolder();
        ::CreateDirectoryW(player.options.playlist_folder.c_str(), nullptr);
        Log("player: playlist folder %s", Utf8(player.options.playlist_folder).c_str());
    }

    player.hwnd = CreatePlayerWindow(::GetModuleHandleW(nullptr), player);
    if (!player.hwnd) {
        Log("player: cannot create the window (is there a display?)");
        return 1;
    }
    for (const Song& song : player.options.songs) {
        if (song.hidden) {
            Log("player: playlist entry (hidden) %s", Utf8(song.path).c_str());
            continue;
        }
        Log("player: playlist entry \"%s\" (%d s) %s", Utf8(DisplayName(song)).c_str(), song.seconds,
            Utf8(song.path).c_str());
    }
    if (player.options.start_at < player.options.songs.size()) player.position = player.options.start_at;
    player.played_from = player.played_up_to = player.position;
    if (player.options.idle) {
        player.started = false;
        player.play_state = kStopped;
    }
    ShowSong(player);
    if (player.options.watch) player.watch.Start();
    player.plugins.LoadAll(player.folder + "Plugins\\", player.hwnd,
                           player.winamp5() ? player.folder + "player_sim_removed.txt" : std::string());
    RefreshPluginList(player);
    ReportModule(player.options.report_module);
    player.watch.LogCurrent();

    ::SetTimer(player.hwnd, kSecondTimer, 1000, nullptr);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }

    if (player.winamp5()) {
        // The window is gone and nothing is dispatched any more; the modules stay loaded.
        player.plugins.QuitAll(QuitOrder::kReverseLoadOrder);
        player.watch.Stop();
        Log("player: exited cleanly");
        g_player = nullptr;
        return 0;
    }
    // Plug-in windows may outlive quit; their messages keep being dispatched until the end.
    DispatchFor(player.options.linger_ms);
    player.watch.Stop();
    player.plugins.FreeAll();
    Log("player: exited cleanly");
    g_player = nullptr;
    return 0;
}

}  // namespace
}  // namespace sim

int main() { return sim::Run(); }
