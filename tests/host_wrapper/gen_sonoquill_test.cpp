// gen_sonoquill.dll loaded by the player simulator as the player loads it: the component is
// created by ProgID when registered and from the wrapper's own folder when not; the description
// reaches the player's plug-in list; config shows the control window until "&Save"; quit leaves
// the player able to exit cleanly; a missing or broken Sonoquill_WA.dll makes init fail quietly.
// As Winamp 5.9 (plug-ins on a second thread, single-threaded) and as a host whose plug-in thread
// is in the multithreaded apartment, the component is made on the thread of the player's window;
// removing the plug-in from 5.x's list restarts the player and takes the installation away. Each
// scenario runs the simulator as a process of its own, as the player is.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <thread>

#include "common/win32_ansi_text.h"
#include "common/scope_exit.h"
#include "host_wrapper/simulated_player.h"
#include "submit/registry_override.h"
#include "support/stored_settings.h"
#include "support/win_test_support.h"
#include "ui/win32_frm_main.h"
#include "winamp_model/player_window.h"

namespace {

using sqtest::SimulatorRun;
using sqtest::StandInPlayerFolder;

constexpr DWORD kStartMs = 30000;
const std::wstring kSong = L"\"C:\\no such folder\\01. A Song.mp3\"";

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string ReportedModulePath(const std::string& log) {
    const std::string marker = "module Sonoquill_WA.dll: ";
    const size_t at = log.find(marker);
    if (at == std::string::npos) return {};
    const size_t end = log.find_first_of("\r\n", at);
    return log.substr(at + marker.size(), end - at - marker.size());
}

int Regsvr32(const std::wstring& options) {
    return sqtest::RunProcess(L"regsvr32.exe " + options + L" \"" + sqtest::DllPath() + L"\"");
}

// The component's classes are gone for the length of a scenario and registered again after it.
struct ComponentUnregistered {
    ComponentUnregistered() { ok = Regsvr32(L"/s /u") == 0; }
    ~ComponentUnregistered() { Regsvr32(L"/s"); }
    bool ok = false;
};

bool ProgIdRegistered() {
    CLSID clsid{};
    return SUCCEEDED(::CLSIDFromProgID(L"Sonoquill_WA.Plugin", &clsid));
}

void ExpectListedAsRunning(HWND player) {
    const std::vector<std::string> list = sqtest::PluginListTexts(player);
    ASSERT_EQ(list.size(), 1u) << "the player lists its one plug-in";
    EXPECT_EQ(list[0].rfind("Sonoquill by ", 0), 0u) << "the list shows the plug-in's own description: " << list[0];
    EXPECT_EQ(list[0].find("not loaded"), std::string::npos) << list[0];
}

void ExpectCleanExit(SimulatorRun& run) {
    EXPECT_EQ(run.Wait(30000), 0) << run.Log();
    const std::string log = run.Log();
    const size_t quit = log.find("gen_sonoquill.dll: quit returned");
    EXPECT_NE(quit, std::string::npos) << "quit is called at exit";
    EXPECT_NE(log.find("player: exited cleanly", quit == std::string::npos ? 0 : quit), std::string::npos)
        << "the player goes on after quit and unloads its plug-ins:\n" << log;
}

TEST(GenSonoquill, CreatesTheRegisteredComponentByProgId) {
    ASSERT_TRUE(ProgIdRegistered()) << "the registration fixture ran first";
    StandInPlayerFolder folder(L"sq_registered");
    ASSERT_TRUE(folder.AddPlugin(L"gen_sonoquill.dll")) << "only the wrapper: the component comes from COM";
    SimulatorRun run(folder, L"--exit-after 6 --report-module Sonoquill_WA.dll " + kSong);
    ASSERT_TRUE(run.started());
    ASSERT_TRUE(run.WaitForLog("player: module Sonoquill_WA.dll", kStartMs)) << run.Log();

    const std::string log = run.Log();
    EXPECT_NE(log.find("gen_sonoquill.dll: init returned 0"), std::string::npos) << log;
    EXPECT_EQ(Lower(ReportedModulePath(log)), Lower(sq::AnsiFromWide(sqtest::DllPath())))
        << "the registered server is the one loaded";
    ExpectListedAsRunning(run.PlayerWindow());
    EXPECT_NE(::FindWindowW(sq::kMainWindowClass, nullptr), nullptr) << "Initialize loaded the control window";
    ExpectCleanExit(run);
}

TEST(GenSonoquill, CreatesTheComponentFromItsOwnFolderWhenUnregistered) {
    ComponentUnregistered unregistered;
    ASSERT_TRUE(unregistered.ok);
    ASSERT_FALSE(ProgIdRegistered());
    StandInPlayerFolder folder(L"sq_beside");
    ASSERT_TRUE(folder.AddPlugin(L"gen_sonoquill.dll"));
    ASSERT_TRUE(folder.AddPlugin(L"Sonoquill_WA.dll"));
    SimulatorRun run(folder, L"--exit-after 6 --report-module Sonoquill_WA.dll " + kSong);
    ASSERT_TRUE(run.WaitForLog("player: module Sonoquill_WA.dll", kStartMs)) << run.Log();

    const std::string log = run.Log();
    EXPECT_NE(log.find("gen_sonoquill.dll: init returned 0"), std::string::npos) << log;
    EXPECT_EQ(Lower(ReportedModulePath(log)), Lower(sq::AnsiFromWide(folder.plugins() + L"Sonoquill_WA.dll")))
        << "copying the two files is a complete install";
    ExpectListedAsRunning(run.PlayerWindow());
    ExpectCleanExit(run);
}

struct BrokenComponent {
    const char* name;
    const wchar_t* built_file;  // copied in as Sonoquill_WA.dll, or
    const char* bytes;          // written as Sonoquill_WA.dll, or neither: no file at all
};

TEST(GenSonoquill, MissingOrBrokenComponentMakesInitFailQuietly) {
    ComponentUnregistered unregistered;
    ASSERT_TRUE(unregistered.ok);
    const BrokenComponent cases[] = {
        {"no Sonoquill_WA.dll", nullptr, nullptr},
        {"a file that is no DLL", nullptr, "MZ this is not a program"},
        {"an empty file", nullptr, ""},
        {"a DLL without class factories", L"gen_sonoquill.dll", nullptr},
    };
    for (const BrokenComponent& c : cases) {
        SCOPED_TRACE(c.name);
        StandInPlayerFolder folder(L"sq_broken");
        ASSERT_TRUE(folder.AddPlugin(L"gen_sonoquill.dll"));
        if (c.built_file) {
            ASSERT_TRUE(folder.AddPlugin(c.built_file, L"Sonoquill_WA.dll"));
        }
        if (c.bytes) {
            ASSERT_TRUE(folder.WritePlugin(L"Sonoquill_WA.dll", c.bytes));
        }

        SimulatorRun run(folder, L"--exit-after 3 --linger 300 --report-module Sonoquill_WA.dll " + kSong);
        ASSERT_TRUE(run.WaitForLog("player: module Sonoquill_WA.dll", kStartMs)) << run.Log();
        const std::string log = run.Log();
        EXPECT_NE(log.find("gen_sonoquill.dll: init returned 1"), std::string::npos) << log;
        EXPECT_EQ(ReportedModulePath(log), "not loaded") << "nothing of a failed component stays loaded";
        const std::vector<std::string> list = sqtest::PluginListTexts(run.PlayerWindow());
        ASSERT_EQ(list.size(), 1u);
        EXPECT_NE(list[0].find("(not loaded)"), std::string::npos) << list[0];
        EXPECT_EQ(::FindWindowW(sq::kMainWindowClass, nullptr), nullptr);
        EXPECT_EQ(run.Wait(30000), 0) << "no crash, no message box: " << run.Log();
        EXPECT_NE(run.Log().find("player: exited cleanly"), std::string::npos);
        EXPECT_EQ(run.Log().find("quit returned"), std::string::npos) << "a plug-in that failed init gets no quit";
    }
}

TEST(GenSonoquill, ConfigShowsTheControlWindowUntilSaveAndQuitLeavesItRunning) {
    StandInPlayerFolder folder(L"sq_config");
    ASSERT_TRUE(folder.AddPlugin(L"gen_sonoquill.dll"));
    ASSERT_TRUE(folder.AddPlugin(L"Sonoquill_WA.dll"));
    SimulatorRun run(folder, L"--config-after 2 --exit-after 8 --linger 3000 " + kSong);
    ASSERT_TRUE(run.WaitForLog("gen_sonoquill.dll: config ...", kStartMs)) << run.Log();

    HWND window = nullptr;
    ASSERT_TRUE(sqtest::PumpMessagesUntil(
        [&] {
            window = ::FindWindowW(sq::kMainWindowClass, nullptr);
            return window && ::IsWindowVisible(window);
        },
        10000))
        << "config shows the control window";
    sqtest::PumpMessagesFor(500);
    EXPECT_EQ(run.Log().find("config returned"), std::string::npos) << "config waits while the window is up";

    ::PostMessageW(::GetDlgItem(window, sq::IDC_CMD_SAVE), BM_CLICK, 0, 0);
    ASSERT_TRUE(run.WaitForLog("gen_sonoquill.dll: config returned", 10000)) << "\"&Save\" ends config";
    EXPECT_FALSE(::IsWindowVisible(window));

    // After quit the window and its countdown live on until the player's process is gone: its
    // window has closed, so a playing player window that appears meanwhile is counted down.
    ASSERT_TRUE(run.WaitForLog("gen_sonoquill.dll: quit returned", 20000)) << run.Log();
    EXPECT_TRUE(::IsWindow(window));
    const std::wstring before = sqtest::WindowText(::GetDlgItem(window, sq::IDC_LBL_TIME));
    sim::PlayerWindow other;
    other.Add({L"C:\\Music\\other.mp3", L"Other", L"Song"});
    other.Play(0);
    EXPECT_TRUE(sqtest::PumpMessagesUntil(
        [&] { return ::IsWindow(window) && sqtest::WindowText(::GetDlgItem(window, sq::IDC_LBL_TIME)) != before; }, 2500))
        << "the countdown keeps ticking after quit";
    ExpectCleanExit(run);
}

std::wstring Winamp5(const StandInPlayerFolder& folder) {
    return L"--profile 5 --playlist-folder \"" + folder.path() + L"AppData\\Winamp\" ";
}

// Where the component comes from. COM under Wine ignores the user's registration, so only the
// wrapper's own choice on a multithreaded thread shows that the user's wins over the machine's.
enum class Source { Machine, User, BesideWrapper };

struct PluginThreadCase {
    const char* what;
    const wchar_t* arguments;
    Source source;
};

TEST(GenSonoquill, Winamp5GetsTheComponentMadeOnTheThreadOfItsWindow) {
    const PluginThreadCase cases[] = {
        {"5.9: by ProgID in the single-threaded apartment", L"", Source::Machine},
        {"5.9, unregistered: the DLL beside the wrapper", L"", Source::BesideWrapper},
        {"multithreaded: the user's registration first", L"--mta-first-thread ", Source::User},
        {"multithreaded, unregistered: the DLL beside the wrapper", L"--mta-first-thread ", Source::BesideWrapper},
    };
    for (const PluginThreadCase& c : cases) {
        SCOPED_TRACE(c.what);
        StandInPlayerFolder folder(L"sq_w5_thread");
        ASSERT_TRUE(folder.AddPlugin(L"gen_sonoquill.dll"));
        std::optional<ComponentUnregistered> unregistered;
        std::wstring expected = sqtest::DllPath();
        const std::wstring user_copy = folder.path() + L"Sonoquill_WA.dll";
        sq::ScopeExit unregister_user([&] {
            if (c.source == Source::User) sqtest::RunProcess(L"regsvr32.exe /s /u /n /i:user \"" + user_copy + L"\"");
        });
        if (c.source == Source::BesideWrapper) {
            unregistered.emplace();
            ASSERT_TRUE(unregistered->ok);
            ASSERT_TRUE(folder.AddPlugin(L"Sonoquill_WA.dll"));
            expected = folder.plugins() + L"Sonoquill_WA.dll";
        } else if (c.source == Source::User) {
            expected = user_copy;
            ASSERT_TRUE(::CopyFileW(sqtest::DllPath().c_str(), expected.c_str(), FALSE));
            ASSERT_EQ(sqtest::RunProcess(L"regsvr32.exe /s /n /i:user \"" + expected + L"\""), 0);
        }
        SimulatorRun run(folder, Winamp5(folder) + c.arguments + L"--exit-after 3 --report-module Sonoquill_WA.dll " + kSong);
        ASSERT_TRUE(run.WaitForLog("player: module Sonoquill_WA.dll", kStartMs)) << run.Log();
        EXPECT_NE(run.Log().find("gen_sonoquill.dll: init returned 0"), std::string::npos) << run.Log();
        EXPECT_EQ(Lower(ReportedModulePath(run.Log())), Lower(sq::AnsiFromWide(expected)));

        HWND window = ::FindWindowW(sq::kMainWindowClass, nullptr);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(::GetWindowThreadProcessId(window, nullptr), ::GetWindowThreadProcessId(run.PlayerWindow(), nullptr))
            << "the control window and its timer belong to the thread of the player's window";
        const std::wstring before = sqtest::WindowText(::GetDlgItem(window, sq::IDC_LBL_TIME));
        EXPECT_TRUE(sqtest::PumpMessagesUntil(
            [&] { return sqtest::WindowText(::GetDlgItem(window, sq::IDC_LBL_TIME)) != before; }, 2500))
            << "the countdown ticks";
        EXPECT_EQ(run.Wait(30000), 0) << run.Log();
    }
}

// The export called directly, as the player's plug-in list calls it, with the box answered from
// another thread (the box blocks the caller): Enter takes the default, which must be No.
TEST(GenSonoquill, UninstallExportAsksAboutTheSettingsWithNoAsTheDefault) {
    const std::wstring settings = sqtest::kSettingsKey;
    sqtest::RegistryOverride user(HKEY_CURRENT_USER, settings, L"Username", std::wstring(L"anna"));
    StandInPlayerFolder folder(L"sq_export");
    ASSERT_TRUE(folder.AddPlugin(L"gen_sonoquill.dll"));
    ASSERT_TRUE(folder.AddPlugin(L"Sonoquill_WA.dll"));
    HMODULE wrapper = ::LoadLibraryW((folder.plugins() + L"gen_sonoquill.dll").c_str());
    using UninstallFn = int(__cdecl*)(HINSTANCE, HWND, int);
    auto uninstall = reinterpret_cast<UninstallFn>(
        reinterpret_cast<void*>(::GetProcAddress(wrapper, "winampUninstallPlugin")));
    ASSERT_NE(uninstall, nullptr);

    std::wstring text;
    int default_button = 0;
    std::thread answer([&] {
        HWND box = nullptr;
        for (int i = 0; i < 200 && !box; ++i, ::Sleep(50)) {
            const std::vector<HWND> dialogs = sqtest::VisibleDialogsOf(::GetCurrentProcessId());
            if (!dialogs.empty()) box = dialogs.front();
        }
        if (!box) return;
        text = sqtest::LabelTexts(box);
        // The default button has the focus and the default frame; Enter presses it.
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        ::GetGUIThreadInfo(::GetWindowThreadProcessId(box, nullptr), &gui);
        if (gui.hwndFocus && (::GetWindowLongW(gui.hwndFocus, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            default_button = ::GetDlgCtrlID(gui.hwndFocus);
        }
        ::PostMessageW(gui.hwndFocus ? gui.hwndFocus : box, WM_KEYDOWN, VK_RETURN, 0);
    });
    const int result = uninstall(wrapper, nullptr, 0);
    answer.join();
    EXPECT_EQ(result, 0) << "0: the player keeps the plug-in loaded";
    EXPECT_NE(text.find(L"account and excluded folder"), std::wstring::npos) << sq::AnsiFromWide(text);
    EXPECT_EQ(default_button, IDNO);
    EXPECT_EQ(sqtest::ReadRegistryString(HKEY_CURRENT_USER, settings, L"Username"), L"anna") << "No keeps the account";
    EXPECT_TRUE(::GetFileAttributesW((folder.plugins() + L"Sonoquill_WA.dll").c_str()) != INVALID_FILE_ATTRIBUTES)
        << "a copy made by hand has no uninstaller: its files stay";
    ::FreeLibrary(wrapper);
}

TEST(GenSonoquill, RemovedFromWinamp5sPluginListTheInstallationGoesAsThePlayerStartsAgain) {
    const std::wstring settings = sqtest::kSettingsKey;
    const std::wstring entry = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Sonoquill";
    const std::wstring user_class = L"Software\\Classes\\Sonoquill_WA.Plugin";
    const std::wstring setup = sqtest::ProgramFolder() + L"Sonoquill-Setup.exe";
    if (::GetFileAttributesW(setup.c_str()) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "built without makensis";
    sqtest::RegistryOverride user(HKEY_CURRENT_USER, settings, L"Username", std::wstring(L"anna"));
    StandInPlayerFolder folder(L"sq_w5_remove");
    std::wstring player = folder.path();
    player.pop_back();
    ASSERT_EQ(sqtest::RunProcess(L"\"" + setup + L"\" /S /D=" + player, 120000), 0);
    ASSERT_TRUE(sqtest::RegistryKeyExists(HKEY_CURRENT_USER, user_class));

    SimulatorRun run(folder, Winamp5(folder) + L"--uninstall-after 1 " + kSong);
    ASSERT_TRUE(run.WaitForLog("winampUninstallPlugin ...", kStartMs)) << run.Log();
    DWORD player_process = 0;
    ::GetWindowThreadProcessId(run.PlayerWindow(), &player_process);
    HWND box = nullptr;
    ASSERT_TRUE(sqtest::PumpMessagesUntil(
        [&] {
            const std::vector<HWND> dialogs = sqtest::VisibleDialogsOf(player_process);
            box = dialogs.empty() ? nullptr : dialogs.front();
            return box != nullptr;
        },
        5000))
        << "the plug-in asks about the stored settings";
    ::PostMessageW(::GetDlgItem(box, IDYES), BM_CLICK, 0, 0);

    ASSERT_TRUE(run.FollowRestart(10000)) << "answered 0, the player closes and starts again:\n" << run.Log();
    EXPECT_NE(run.Log().find("winampUninstallPlugin returned 0"), std::string::npos) << run.Log();
    EXPECT_FALSE(sqtest::RegistryKeyExists(HKEY_CURRENT_USER, settings)) << "Yes removes the account";
    EXPECT_TRUE(sqtest::PumpMessagesUntil(
        [&] {
            if (sqtest::RegistryKeyExists(HKEY_CURRENT_USER, entry) || sqtest::RegistryKeyExists(HKEY_CURRENT_USER, user_class))
                return false;
            for (const wchar_t* file : {L"gen_sonoquill.dll", L"Sonoquill_WA.dll", L"Sonoquill-Uninstall.exe"}) {
                if (::GetFileAttributesW((folder.plugins() + file).c_str()) != INVALID_FILE_ATTRIBUTES) return false;
            }
            return true;
        },
        30000))
        << "the registration, the uninstall entry and the files go once the old player has ended";
    EXPECT_NE(run.Log().find("gen_sonoquill.dll: quit returned"), std::string::npos) << "quit as on any close";
    ASSERT_TRUE(run.WaitForLog("as asked when it was removed", 10000)) << run.Log();
    EXPECT_EQ(run.Wait(0), -1) << "the new player runs on:\n" << run.Log();
    EXPECT_TRUE(sqtest::PluginListTexts(run.PlayerWindow()).empty()) << "with no Sonoquill to load";
    ::PostMessageW(run.PlayerWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(run.Wait(30000), 0) << run.Log();
}

}  // namespace
