// The player simulator as Winamp 5.x (--profile 5): plug-ins start on its main thread in the
// multithreaded apartment and get quit after its loop, in reverse order, never freed and sent
// nothing more; its plug-in list removes a plug-in through winampUninstallPlugin; its playlist
// folder is never asked for from another process; and one song of a default install reaches the
// stand-in service with its tags through the real wrapper.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host_wrapper/simulated_player.h"
#include "player/winamp_mod.h"
#include "player_sim/playlist_files.h"
#include "submit/registry_override.h"
#include "submit/stand_in_service.h"
#include "support/win_test_support.h"
#include "ui/frm_main.h"

namespace {

using sqtest::SimulatorRun;
using sqtest::StandInPlayerFolder;

const std::wstring kNoSong = L"\"C:\\no such folder\\01. A Song.mp3\"";

bool WriteText(const std::wstring& path, const std::string& text) { return sim::WriteWholeFile(path, text); }

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// "--profile 5 --playlist-folder <folder>\AppData\Winamp" (a folder of the test's own).
std::wstring Winamp5(const StandInPlayerFolder& folder) {
    return L"--profile 5 --playlist-folder \"" + folder.path() + L"AppData\\Winamp\" ";
}

TEST(Winamp5Host, PlugInsStartInTheMultithreadedApartmentAndQuitAfterTheLoopInReverseOrder) {
    StandInPlayerFolder folder(L"sq_w5_probe");
    ASSERT_TRUE(folder.AddPlugin(L"gen_probe.dll", L"gen_probe_a.dll"));
    ASSERT_TRUE(folder.AddPlugin(L"gen_probe.dll", L"gen_probe_b.dll"));
    SimulatorRun run(folder, Winamp5(folder) + L"--exit-after 2 " + kNoSong);
    ASSERT_EQ(run.Wait(30000), 0) << run.Log();

    const std::string log = run.Log();
    const size_t at = log.find("player: main thread ");
    ASSERT_NE(at, std::string::npos) << log;
    const std::string thread = log.substr(at + 20, log.find(' ', at + 20) - at - 20);
    const std::string probe = sqtest::ReadWholeFile(folder.plugins() + L"probe.log");
    const std::string expected =
        "gen_probe_a.dll: init on thread " + thread + " in the multithreaded apartment\r\n"
        "gen_probe_b.dll: init on thread " + thread + " in the multithreaded apartment\r\n"
        "gen_probe_b.dll: quit on thread " + thread + ", player window gone\r\n"
        "gen_probe_a.dll: quit on thread " + thread + ", player window gone\r\n";
    EXPECT_EQ(probe.substr(0, expected.size()), expected);
    EXPECT_EQ(probe.find("dispatched after quit"), std::string::npos) << probe;
    EXPECT_EQ(probe.find("FreeLibrary"), std::string::npos) << "the modules stay until the process ends:\n" << probe;
    EXPECT_NE(probe.find("gen_probe_a.dll: unloaded as the process ends"), std::string::npos) << probe;
    EXPECT_LT(log.find("gen_probe_a.dll: quit returned"), log.find("player: exited cleanly")) << log;
}

TEST(Winamp5Host, UninstallFromThePluginList) {
    {
        SCOPED_TRACE("winampUninstallPlugin answers 1: unloaded at once");
        StandInPlayerFolder folder(L"sq_w5_uninstall_now");
        ASSERT_TRUE(folder.AddPlugin(L"gen_probe.dll", L"gen_probe_now.dll"));
        SimulatorRun run(folder, Winamp5(folder) + L"--uninstall-after 1 --exit-after 2 " + kNoSong);
        ASSERT_TRUE(run.WaitForLog("gen_probe_now.dll: unloaded and no longer listed", 20000)) << run.Log();
        EXPECT_TRUE(sqtest::PluginListTexts(run.PlayerWindow()).empty());
        ASSERT_EQ(run.Wait(30000), 0) << run.Log();
        const std::string probe = sqtest::ReadWholeFile(folder.plugins() + L"probe.log");
        EXPECT_EQ(probe.substr(probe.find('\n') + 1),
                  "gen_probe_now.dll: winampUninstallPlugin answers 1\r\ngen_probe_now.dll: unloaded by FreeLibrary\r\n")
            << "no quit after the uninstall";
        EXPECT_TRUE(Exists(folder.plugins() + L"gen_probe_now.dll")) << "the player deletes nothing";
    }
    {
        SCOPED_TRACE("winampUninstallPlugin answers 0: deleted when the player next starts");
        StandInPlayerFolder folder(L"sq_w5_uninstall_later");
        ASSERT_TRUE(folder.AddPlugin(L"gen_probe.dll", L"gen_probe_later.dll"));
        {
            SimulatorRun run(folder, Winamp5(folder) + L"--uninstall-after 1 --exit-after 2 " + kNoSong);
            ASSERT_TRUE(run.WaitForLog("gen_probe_later.dll: stays loaded", 20000)) << run.Log();
            EXPECT_EQ(sqtest::PluginListTexts(run.PlayerWindow()),
                      std::vector<std::string>{"Probe  [gen_probe_later.dll]  (removed at next start)"});
            ASSERT_EQ(run.Wait(30000), 0) << run.Log();
            EXPECT_NE(sqtest::ReadWholeFile(folder.plugins() + L"probe.log").find("gen_probe_later.dll: quit on thread"),
                      std::string::npos)
                << "still loaded, so quit at exit";
        }
        EXPECT_TRUE(Exists(folder.plugins() + L"gen_probe_later.dll"));
        SimulatorRun next(folder, Winamp5(folder) + L"--exit-after 1 " + kNoSong);
        ASSERT_EQ(next.Wait(30000), 0) << next.Log();
        EXPECT_NE(next.Log().find("plug-in gen_probe_later.dll: deleted"), std::string::npos) << next.Log();
        EXPECT_FALSE(Exists(folder.plugins() + L"gen_probe_later.dll"));
    }
}

TEST(Winamp5Host, PlayerWindowOfAnotherProcessIsNeverAskedForItsFolder) {
    StandInPlayerFolder folder(L"sq_w5_other_process");
    SimulatorRun run(folder, Winamp5(folder) + L"--exit-after 30 " + kNoSong);
    ASSERT_TRUE(run.WaitForLog("player: song 1 of 1", 20000)) << run.Log();
    // The program folder holds the only file this process may read.
    ASSERT_TRUE(WriteText(folder.path() + L"WINAMP.m3u", "#EXTM3U\r\nC:\\Program Folder\\Song.mp3\r\n"));

    sq::WinAmpMod::hWinAmp = nullptr;
    EXPECT_EQ(sq::WinAmpMod::FindPlayingFile().path, "C:\\Program Folder\\Song.mp3");
    EXPECT_EQ(sq::WinAmpMod::FindPlayingFile().path, "C:\\Program Folder\\Song.mp3");
    const std::string log = run.Log();
    EXPECT_NE(log.find("player: request 120"), std::string::npos) << log;
    EXPECT_EQ(log.find("player: request 33"), std::string::npos) << "337/338 asked across processes:\n" << log;
    ::PostMessageW(run.PlayerWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(run.Wait(30000), 0);
}

// A default install: the playlist files in the per-user folder, an old WINAMP.m3u beside the
// program whose entries lie in the excluded folder; the song playing is the second entry of a
// playlist whose first entry has not been played (no information line), written the 5.7 way
// (the first relative to the playlist folder, the second without its drive).
TEST(Winamp5Host, DefaultInstallSubmitsThePlayingSongsTags) {
    sqtest::StandInService service;
    ASSERT_TRUE(service.ok());
    service.Answer("Success");
    sqtest::ProxyOverride proxy(service.port());
    const std::wstring settings = L"Software\\VB and VBA Program Settings\\Sonoquill\\Settings";
    sqtest::RegistryOverride user(HKEY_CURRENT_USER, settings, L"Username", std::wstring(L"tester"));
    sqtest::RegistryOverride password(HKEY_CURRENT_USER, settings, L"Password", std::wstring(L"secret"));
    sqtest::RegistryOverride exclude(HKEY_CURRENT_USER, settings, L"Exclude", std::wstring(L"C:\\Old"));

    StandInPlayerFolder folder(L"sq_w5_submit");
    ASSERT_TRUE(folder.AddPlugin(L"gen_sonoquill.dll"));
    ASSERT_TRUE(folder.AddPlugin(L"Sonoquill_WA.dll"));
    ASSERT_TRUE(WriteText(folder.path() + L"WINAMP.m3u",
                          "#EXTM3U\r\n#EXTINF:1,Old\r\nC:\\Old\\1.mp3\r\n#EXTINF:1,Old\r\nC:\\Old\\2.mp3\r\n"));
    const std::wstring playlists = folder.path() + L"AppData\\Winamp\\";
    const std::wstring songs = sqtest::ProgramFolder() + L"..\\songs\\";
    const std::wstring unplayed = playlists + L"Music\\03.mp3";
    const std::wstring playing = folder.path() + L"Music\\01.mp3";
    ::CreateDirectoryW((folder.path() + L"AppData").c_str(), nullptr);
    ::CreateDirectoryW(playlists.c_str(), nullptr);
    ::CreateDirectoryW((playlists + L"Music").c_str(), nullptr);
    ::CreateDirectoryW((folder.path() + L"Music").c_str(), nullptr);
    ASSERT_TRUE(::CopyFileW((songs + L"03-third.mp3").c_str(), unplayed.c_str(), FALSE)) << "the songs fixture ran";
    ASSERT_TRUE(::CopyFileW((songs + L"01-first.mp3").c_str(), playing.c_str(), FALSE));

    SimulatorRun run(folder, Winamp5(folder) + L"--relative-paths --start-at 2 --schedule 600,600 --exit-after 75 \"" +
                                 unplayed + L"\" \"" + playing + L"\"");
    ASSERT_TRUE(run.WaitForLog("title \"2. Demo Artist - First Song - Winamp\"", 30000)) << run.Log();
    ASSERT_TRUE(sqtest::PumpMessagesUntil([&] { return service.RequestCount() > 0; }, 70000))
        << "no submission arrived:\n" << run.Log();
    EXPECT_NE(service.Requests().front().request_line.find("&art=Demo%20Artist&trk=First%20Song "), std::string::npos)
        << service.Requests().front().request_line;

    const std::string written = sqtest::ReadWholeFile(playlists + L"Winamp.m3u");
    EXPECT_EQ(written.substr(0, 25), "#EXTM3U\r\nMusic\\03.mp3\r\n#E") << written;
    EXPECT_NE(written.find("\r\n" + Narrow(playing.substr(2)) + "\r\n"), std::string::npos) << written;
    HWND window = ::FindWindowW(sq::kMainWindowClass, nullptr);
    EXPECT_TRUE(sqtest::PumpMessagesUntil(
        [&] { return sqtest::WindowText(::GetDlgItem(window, sq::IDC_LBL_RESPONSE)) == L"Thanks! Your song was submitted."; },
        15000));
    ::PostMessageW(run.PlayerWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(run.Wait(30000), 0) << run.Log();
    EXPECT_EQ(service.RequestCount(), 1u);
}

}  // namespace
