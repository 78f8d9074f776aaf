// A stand-in for the Winamp player, for development and demonstration: the model of
// tools/winamp_model in a window of the player's class, whose caption follows a playlist as it
// plays, pauses and stops on a timetable, with the file-type registration the plug-in uses to
// find the player's folder, and the general-purpose plug-ins of its Plugins folder, loaded,
// configured, quit and removed as the profile's version does. It behaves as one of two players
// (winamp_model/profile.cpp holds the table):
// - 2.x (Winamp 2.91, the default): the window and plug-ins on the first thread, which joins no
//   apartment; quit from the main window's close, then FreeLibrary after a while of messages.
// - 5.x (Winamp 5.9.2): the window and plug-ins on a second thread in a single-threaded
//   apartment, the first thread in the multithreaded one; quit after the window's loop has ended,
//   in reverse load order, with no FreeLibrary and no message dispatched after it; plug-ins
//   removed from the Plug-ins menu through winampUninstallPlugin: 1 quits, frees and deletes it,
//   0 closes the player and starts it again to delete it (restart.h).
// An entry plays on only while the player plays: paused or stopped, its time stands still.
//
//   player_sim [options] entry ...
//     entry                  a file (its ID3v1 tag read for its artist and title), an http://
//                            address (a stream, played by the input that claims its extension:
//                            the Ogg input for .ogg and .oga, the MP4 input for .m4a and .mp4,
//                            shown by the file name without its extension and answering no
//                            metadata; the FLAC input refuses .flac, and the caption keeps the
//                            address; the MP3 input plays the rest, by default as a station
//                            with in-band titles, see --stream), or hidden:TEXT, a hidden entry
//                            such as a stream's advert curtain: counted in the position and by
//                            211/214, never in the files, skipped when the next entry starts
//     --tags A|T[|ALBUM]     the next entry's artist, title and album as the player has read them
//                            (a .flac, an .m4a, an MP3 with only an ID3v2.4 tag); no file is read
//     --video                the next entry is a film: 501 answers 2 while it plays or is paused (5.x)
//     --stream STATION|S=SONG|...
//                            the next entry (an address) is a stream of that station sending
//                            SONG ("Artist - Song") from second S after its first data: the
//                            station's name before the first, "(STATION)" while SONG is empty;
//                            its "streamtitle" the bare SONG, its "streamtype" 2 once connected
//     --plain-http           the next entry (an address the MP3 input plays) is plain HTTP, with
//                            no in-band titles and no station's headers: a file, or a station
//                            that sends nothing else. The address, then "[Connecting] " before
//                            it, then its file name ("episode.mp3"); "streamtitle" "",
//                            "streamtype" 1 once connected, no "artist" or "title"
//     --station-headers      the same, from a station that sends icy-genre, icy-url or
//                            icy-notice2 headers but no titles: "streamtype" 2
//     --id3v2 S=ARTIST|TITLE the next entry (as --plain-http) is a file whose ID3v2 tag the input
//                            has read S s after it began to connect: "[Connecting] " until then,
//                            then "ARTIST - TITLE", and "artist" and "title" from then on
//     --ogg-links S=ARTIST - TITLE|...
//                            the next entry (an address ending in .ogg or .oga) is a station of
//                            chained Ogg links, each from second S after its first data: the
//                            address, "Connecting...", "Prebuffering : N%", then each link's
//                            "ARTIST - TITLE" as the whole title; no metadata; 105 from the data
//     --generated N          N entries here in the list, as of a loaded library: paths under
//                            D:\Music (no such files), their artist, title and length read
//     --profile 2|5          the player to behave as (default 2)
//     --schedule S1,S2,...   seconds each entry plays (default 60 each); the last one then stays
//     --start-at N           starts with entry N (1-based), as when the user picks it in the list;
//                            on 5.x the entries before it have no details yet
//     --idle                 starts as after an ordinary start with a restored playlist: stopped,
//                            the player's own name as its title, the position at the restored
//                            entry; nothing plays until a "play" event (or the Play menu)
//     --events S=A,...       at second S of the run does A: play, pause, stop, next, delete (the
//                            playing entry: it plays on), clear (the playlist: it plays on),
//                            output:NAME (the output plug-in, from the next second on),
//                            seek:N (the playing song to its second N) or retag:ARTIST|TITLE
//                            (the file-info dialog saves those tags for the playing file, into
//                            its ID3v1 tag when it is an MP3; playing, it reopens at once, and
//                            105 answers 0 for --reopen-ms, then the old position running on)
//     --no-numbers           titles without the playlist number (the player's option off)
//     --no-entry-answers     211, 214 and 3031 answer 1, as a player that names no entry itself:
//                            the plug-in reads its playlist files
//     --mta-first-thread     the window and plug-ins on the first thread, in the multithreaded
//                            apartment: a host in which the wrapper makes the plug-in from its
//                            DLL's class factory
//     --config-after S       opens the first running plug-in's configuration after S seconds
//     --press-save-after S   presses "&Save" in a plug-in window of the player's thread after S s
//     --uninstall-after S    removes the first listed plug-in after S seconds (5.x)
//     --exit-after S         closes the player after S seconds
//     --linger MS            keeps dispatching messages for MS ms after quit (2.x; default 1500)
//     --playlist-folder DIR  the 5.x playlist folder (default %APPDATA%\Winamp)
//     --relative-paths       writes paths as 5.6x-5.7 do: relative to the playlist folder, or
//                            without the drive for files on its drive
//     --marked-changed       the list is marked changed before every request, as while the user
//                            edits it: each 120 writes the files again (5.x writes only a changed list)
//     --scroll-title         "Scroll title in the Windows taskbar" on: every 200 ms, whatever the
//                            play state, the caption shows its next rotated form; the log keeps
//                            the whole caption
//     --output NAME          the output plug-in 625 names (default out_ds.dll; 5.x); with
//                            out_disk.dll, the Disk Writer, songs play --disk-speed times as fast
//                            as the clock while the play state says playing
//     --disk-speed N         seconds of song the Disk Writer writes each second (default 40)
//     --reopen-ms N          how long 105 answers 0 after a retag, while the file opens again
//                            (default 1500; longer on a slow drive)
//     --log FILE             writes the log to FILE as well, with every request received and how
//                            long its answer took
//     --report-module NAME   logs where module NAME was loaded from, after the plug-ins started
//     --register-only        registers the player's file type and exits (as the player's setup does)
//     --no-watch             does not follow the control window's texts: the hook that does costs
//                            every message on the player's thread a round trip to the Wine server,
//                            which a benchmark of the plug-in's own cost must leave out
//     --foreign-window       runs as another program's window of the player's class instead (see
//                            foreign_window.h); takes --profile, --exit-after and --log
//     --after-process ID     (what a restart adds) waits for process ID to end before starting
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>
#include <thread>
#include <vector>

#include "common/win32_module.h"
#include "common/path_text.h"
#include "common/win32_unique_handle.h"
#include "foreign_window.h"
#include "gen_plugins.h"
#include "options.h"
#include "player_controls.h"
#include "plugin_window_watch.h"
#include "restart.h"
#include "tool_log.h"
#include "winamp_model/code_page_text.h"
#include "winamp_model/player_window.h"
#include "winamp_model/stream_show.h"

namespace sim {
namespace {

constexpr UINT_PTR kSecondTimer = 1;
constexpr UINT_PTR kScrollTimer = 2;  // the taskbar title's 200 ms

// One run of the player's window thread.
struct WindowRun {
    Options& options;
    PlayerWindow& player;
    GenPlugins plugins;
    PluginWindowWatch watch;
    int elapsed = 0;
};

std::string Utf8(const std::wstring& text) { return EncodedText(text, CP_UTF8); }

std::string ProgramPath() { return EncodedText(sq::ModulePath(nullptr), CP_ACP); }

std::wstring DefaultPlaylistFolder() {
    wchar_t appdata[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, appdata))) return {};
    return sq::WithTrailingBackslash(std::wstring(appdata)) + L"Winamp\\";
}

// Lets the plug-in find the player's folder as it finds the real player's.
void RegisterFileType() {
    const std::string command = "\"" + ProgramPath() + "\" \"%1\"";
    sq::UniqueRegKey key;
    if (::RegCreateKeyExA(HKEY_CLASSES_ROOT, "WinAmp.File\\shell\\play\\command", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                          key.put(), nullptr) != ERROR_SUCCESS) {
        Log("player: cannot register WinAmp.File");
        return;
    }
    ::RegSetValueExA(key.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                     static_cast<DWORD>(command.size() + 1));
    Log("player: registered HKEY_CLASSES_ROOT\\WinAmp.File\\shell\\play\\command = %s", command.c_str());
}

bool IsGenerated(const Options& options, size_t index) {
    for (const GeneratedEntries& block : options.generated) {
        if (index >= block.first && index - block.first < block.count) return true;
    }
    return false;
}

// How the player plays an entry, for the log.
std::string HowPlayed(const Entry& entry) {
    if (!entry.IsStream()) return entry.video ? ", a film" : "";
    switch (InputOf(entry.path)) {
    case HttpInput::kOgg:
        return ", the Ogg input, " + std::to_string(entry.stream_songs.size()) + " links";
    case HttpInput::kMp4:
        return ", the MP4 input";
    case HttpInput::kFlac:
        return ", refused by the FLAC input (a message box in the player, none here)";
    case HttpInput::kMp3:
        break;
    }
    if (entry.server == HttpServer::kStationTitles) return ", the MP3 input, a station with in-band titles";
    std::string how = entry.server == HttpServer::kPlain ? ", the MP3 input, plain HTTP"
                                                         : ", the MP3 input, a station's headers and no titles";
    if (entry.id3v2_after >= 0) how += ", its ID3v2 tag read " + std::to_string(entry.id3v2_after) + " s after it connects";
    return how;
}

const char* StateName(long state) {
    return state == winamp::kPlaying ? "playing" : state == winamp::kPaused ? "paused" : "stopped";
}

void ShowState(WindowRun& run) {
    const PlayerWindow& p = run.player;
    const auto number = static_cast<size_t>(p.position() + 1);
    run.watch.SetSong(number, p.entries().size());
    const std::wstring state = p.play_state() == winamp::kPlaying ? L"Playing: " : L"Not playing: ";
    ShowNowPlaying(p.hwnd(), p.playing() ? state + p.playing()->path : std::wstring(L"Stopped"));
    Log("player: song %u of %u %s, title \"%s\" (second %d)", static_cast<unsigned>(number),
        static_cast<unsigned>(p.entries().size()), StateName(p.play_state()), Utf8(p.Caption()).c_str(), run.elapsed);
}

BOOL CALLBACK PressSaveIn(HWND window, LPARAM player) {
    if (window == reinterpret_cast<HWND>(player) || !::IsWindowVisible(window)) return TRUE;
    HWND save = ::FindWindowExA(window, nullptr, "Button", "&Save");
    if (save) {
        Log("player: pressing \"&Save\" in the plug-in's window");
        ::SendMessageA(save, BM_CLICK, 0, 0);
    }
    return TRUE;
}

void ReportModule(const std::string& name) {
    if (name.empty()) return;
    HMODULE module = ::GetModuleHandleA(name.c_str());
    Log("player: module %s: %s", name.c_str(), module ? EncodedText(sq::ModulePath(module), CP_ACP).c_str() : "not loaded");
}

void Uninstall(WindowRun& run, size_t index) {
    if (index >= run.plugins.plugins().size()) return;
    const std::string file = run.plugins.plugins()[index].file;
    if (run.plugins.Uninstall(index, run.player.hwnd()) == Removal::kRestart) {
        const DWORD id = StartAgain(run.options.arguments);
        Log("player: restarting as process %lu, to delete %s", id, file.c_str());
        ::PostMessageW(run.player.hwnd(), WM_CLOSE, 0, 0);
    }
    RefreshPluginList(run.player.hwnd(), run.plugins, true);
}

// True when the event started an entry from its beginning: the second that just ended is none of
// its own, and counting it would start its position at 1000.
bool Do(WindowRun& run, const Event& event) {
    PlayerWindow& p = run.player;
    const bool stopped = p.play_state() == 0;
    const long position = p.position();
    switch (event.action) {
    case Action::kPlay: p.Play(); break;
    case Action::kPause: p.Pause(); break;
    case Action::kStop: p.Stop(); break;
    case Action::kNext: p.Next(); break;
    case Action::kDelete: p.DeletePlaying(); break;
    case Action::kClear: p.Clear(); break;
    case Action::kOutput: p.SetOutput(event.output); break;
    case Action::kSeek: p.Seek(event.to_second); break;
    case Action::kRetag: p.Retag(event.artist, event.title); break;
    }
    return (event.action == Action::kPlay && stopped) || (event.action == Action::kNext && p.position() != position);
}

void OnCommand(WindowRun& run, UINT id) {
    const size_t count = run.plugins.plugins().size();
    const struct {
        UINT command;
        Action action;
    } kMenu[] = {{kCmdNext, Action::kNext}, {kCmdPlay, Action::kPlay}, {kCmdPause, Action::kPause}, {kCmdStop, Action::kStop}};
    for (const auto& item : kMenu) {
        if (id != item.command) continue;
        Event event{};
        event.action = item.action;
        Do(run, event);
    }
    if (id == kCmdExit) ::PostMessageW(run.player.hwnd(), WM_CLOSE, 0, 0);
    if (id >= kCmdConfigBase && id < kCmdConfigBase + count) run.plugins.Config(id - kCmdConfigBase);
    if (run.player.profile().removes_plugins && id >= kCmdUninstallBase && id < kCmdUninstallBase + count) {
        Uninstall(run, id - kCmdUninstallBase);
    }
}

void OnSecond(WindowRun& run) {
    const Options& o = run.options;
    ++run.elapsed;
    bool started = false;
    for (const Event& event : o.events) {
        if (event.second == run.elapsed) started = Do(run, event) || started;
    }
    if (!started) run.player.Tick();
    HWND hwnd = run.player.hwnd();
    if (run.elapsed == o.config_after) ::PostMessageW(hwnd, WM_COMMAND, kCmdConfigBase, 0);
    if (run.elapsed == o.press_save_after) ::EnumThreadWindows(::GetCurrentThreadId(), PressSaveIn, reinterpret_cast<LPARAM>(hwnd));
    if (run.elapsed == o.uninstall_after) ::PostMessageW(hwnd, WM_COMMAND, kCmdUninstallBase, 0);
    if (run.elapsed == o.exit_after) {
        Log("player: closing after %d s", run.elapsed);
        ::PostMessageW(hwnd, WM_CLOSE, 0, 0);
    }
}

bool OnMessage(WindowRun& run, UINT message, WPARAM wp) {
    switch (message) {
    case WM_TIMER:
        if (wp == kSecondTimer) OnSecond(run);
        if (wp == kScrollTimer) run.player.Scroll();
        return true;
    case WM_COMMAND:
        OnCommand(run, LOWORD(wp));
        return true;
    case WM_CLOSE:
        ::KillTimer(run.player.hwnd(), kSecondTimer);
        ::KillTimer(run.player.hwnd(), kScrollTimer);
        // 2.x tells its plug-ins from here; 5.x only once its loop has ended.
        if (!run.player.profile().quits_after_loop) run.plugins.QuitAll();
        run.player.Close();
        return true;
    case WM_ENDSESSION:
        // At log-off 5.x's loop never ends: quit runs here.
        if (wp && run.player.profile().quits_after_loop) run.plugins.QuitAll(QuitOrder::kReverseLoadOrder);
        return true;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return true;
    default:
        return false;
    }
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

// The player's window thread: its window, its plug-ins and its loop, until the plug-ins are quit.
int RunWindowThread(Options& options, const std::string& folder) {
    PlayerWindow player(*options.profile, {WS_OVERLAPPEDWINDOW | WS_VISIBLE, {420, 420, 560, 240}, MakeMenuBar()});
    if (!player.hwnd()) {
        Log("player: cannot create the window (is there a display?)");
        return 1;
    }
    WindowRun run{options, player, {}, {}};
    player.playlist_folder = options.playlist_folder;
    player.numbered = options.numbered;
    player.relative_paths = options.relative_paths;
    player.marked_changed = options.marked_changed;
    player.scroll_title = options.scroll_title;
    player.disk_speed = options.disk_speed;
    player.reopen_ms = options.reopen_ms;
    if (!options.answers_entries) {
        player.Unanswer(winamp::kEntryPath);
        player.Unanswer(winamp::kWideEntryPath);
        player.Unanswer(winamp::kWidePlayingFile);
    }
    player.log = [](const std::string& line, bool routine) {
        if (routine) return LogQuietly(line);
        Log("%s", line.c_str());
    };
    player.handle = [&run](UINT message, WPARAM wp, LPARAM, LRESULT&) { return OnMessage(run, message, wp); };
    AddControls(player.hwnd());
    for (const GeneratedEntries& block : options.generated) {
        Log("player: playlist entries %u to %u generated", static_cast<unsigned>(block.first + 1),
            static_cast<unsigned>(block.first + block.count));
    }
    for (size_t i = 0; i < options.entries.size(); ++i) {
        const Entry& entry = options.entries[i];
        player.Add(entry);
        if (IsGenerated(options, i)) continue;
        if (entry.hidden) {
            Log("player: playlist entry (hidden) %s", Utf8(entry.path).c_str());
        } else {
            Log("player: playlist entry \"%s\" (%d s%s) %s", Utf8(entry.DisplayName()).c_str(), entry.seconds,
                HowPlayed(entry).c_str(), Utf8(entry.path).c_str());
        }
    }
    if (options.output != player.output()) player.SetOutput(options.output);
    if (options.scroll_title) Log("player: the title scrolls in the taskbar every 200 ms");
    player.on_change = [&run] { ShowState(run); };
    const size_t start = options.start_at < options.entries.size() ? options.start_at : 0;
    if (options.idle) {
        player.Restore(start);
    } else {
        player.Play(start);
    }
    if (options.watch) run.watch.Start();
    const bool removes = player.profile().removes_plugins;
    run.plugins.LoadAll(folder + "Plugins\\", player.hwnd(), removes ? folder + "player_sim_removed.txt" : std::string());
    RefreshPluginList(player.hwnd(), run.plugins, removes);
    ReportModule(options.report_module);
    run.watch.LogCurrent();

    ::SetTimer(player.hwnd(), kSecondTimer, 1000, nullptr);
    if (options.scroll_title) ::SetTimer(player.hwnd(), kScrollTimer, 200, nullptr);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    player.on_change = nullptr;
    if (player.profile().quits_after_loop) {
        // The window is gone and nothing is dispatched any more; the modules stay loaded.
        run.plugins.QuitAll(QuitOrder::kReverseLoadOrder);
    } else {
        // Plug-in windows may outlive quit; their messages keep being dispatched until the end.
        DispatchFor(options.linger_ms);
        run.plugins.FreeAll();
    }
    run.watch.Stop();
    return 0;
}

void LogApartment(const char* thread, const char* apartment, HRESULT hr) {
    Log("player: %s thread %lu in the %s apartment (CoInitializeEx 0x%08lx)", thread, ::GetCurrentThreadId(), apartment,
        static_cast<unsigned long>(hr));
}

// Where the profile's version runs its window and plug-ins, and in which apartment.
int RunPlayer(Options& options, const std::string& folder) {
    if (options.mta_first_thread) {
        LogApartment("window", "multithreaded", ::CoInitializeEx(nullptr, COINIT_MULTITHREADED));
        return RunWindowThread(options, folder);
    }
    if (options.profile->plugin_thread == PluginThread::kFirstThread) {
        Log("player: window thread %lu, which joins no apartment itself", ::GetCurrentThreadId());
        return RunWindowThread(options, folder);
    }
    LogApartment("first", "multithreaded", ::CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    int code = 1;
    std::thread window([&] {
        LogApartment("window", "single-threaded", ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        code = RunWindowThread(options, folder);
    });
    window.join();
    return code;
}

int Run() {
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    const std::vector<std::wstring> args = argv ? std::vector<std::wstring>(argv + 1, argv + argc) : std::vector<std::wstring>();
    ::LocalFree(argv);
    Options options;
    const bool parsed = ParseOptions(args, options);
    if (!options.log_file.empty()) OpenLogFile(options.log_file, options.after_process != 0);
    if (!parsed) {
        Log("%s", kUsage);
        return 2;
    }
    if (options.foreign_window) return RunForeignWindow(options);
    if (options.after_process) {
        Log("player: started again; waiting for process %lu to end", options.after_process);
        WaitForProcessEnd(options.after_process);
    }
    const std::string folder = sq::WithTrailingBackslash(sq::FolderOf(ProgramPath()));
    RegisterFileType();
    if (options.register_only) return 0;
    Log("player: profile %s", options.profile->log_name);
    if (options.profile->files == PlaylistFiles::kBesideProgram) {
        options.playlist_folder = DecodedText(folder, CP_ACP);
    } else {
        if (options.playlist_folder.empty()) options.playlist_folder = DefaultPlaylistFolder();
        ::CreateDirectoryW(options.playlist_folder.c_str(), nullptr);
        Log("player: playlist folder %s", Utf8(options.playlist_folder).c_str());
    }
    const int code = RunPlayer(options, folder);
    if (code == 0) Log("player: exited cleanly");
    return code;
}

}  // namespace
}  // namespace sim

int main() { return sim::Run(); }
