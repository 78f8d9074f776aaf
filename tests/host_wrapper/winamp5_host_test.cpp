// The player simulator as Winamp 5.x (--profile 5): plug-ins start on its main thread in the
// multithreaded apartment and get quit after its loop, in reverse order, never freed and sent
// nothing more; its plug-in list removes a plug-in through winampUninstallPlugin; and its
// playlist folder is never asked for from another process. A default install's song reaching the
// service is shown in song_submission_test.cpp, beside players of other kinds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host_wrapper/simulated_player.h"
#include "player/player_window.h"
#include "player/winamp_mod.h"
#include "player_sim/playlist_files.h"
#include "support/win_test_support.h"

namespace {

using sqtest::SimulatorRun;
using sqtest::StandInPlayerFolder;

const std::wstring kNoSong = L"\"C:\\no such folder\\01. A Song.mp3\"";

bool WriteText(const std::wstring& path, const std::string& text) { return sim::WriteWholeFile(path, text); }

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

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

    sq::PlayerWindow window;
    sq::WinAmpMod player(window);
    ASSERT_TRUE(player.FindWinAmp());
    EXPECT_EQ(player.GetPlayingFile().path, "C:\\Program Folder\\Song.mp3");
    const std::string log = run.Log();
    EXPECT_NE(log.find("player: request 120"), std::string::npos) << log;
    EXPECT_EQ(log.find("player: request 33"), std::string::npos) << "337/338 asked across processes:\n" << log;
    ::PostMessageW(run.PlayerWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(run.Wait(30000), 0);
}

}  // namespace
