// The player simulator as Winamp 5.x (--profile 5): plug-ins start on a second thread in a
// single-threaded apartment, the first thread in the multithreaded one, and get quit after the
// loop, in reverse order, never freed and sent nothing more; its plug-in list removes a plug-in
// through winampUninstallPlugin, at once or by starting again; its timetable plays a stream,
// deletes the playing entry and clears the list as the player's captions show them; and its
// playlist folder is never asked for from another process. A default install's song reaching the
// service is shown in song_submission_test.cpp, beside players of other kinds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/win32_system_code_page.h"
#include "host_wrapper/simulated_player.h"
#include "player/win32_player_window.h"
#include "player/winamp_mod.h"
#include "support/win_test_support.h"
#include "winamp_model/whole_file.h"

namespace {

using sqtest::SimulatorRun;
using sqtest::StandInPlayerFolder;

const std::wstring kNoSong = L"\"C:\\no such folder\\01. A Song.mp3\"";

bool WriteText(const std::wstring& path, const std::string& text) { return sim::WriteWholeFile(path, text); }

// The id that the log gives the "first" or "window" thread.
std::string ThreadOf(const std::string& log, const std::string& thread) {
    const std::string marker = "player: " + thread + " thread ";
    const size_t at = log.find(marker);
    if (at == std::string::npos) return {};
    const size_t from = at + marker.size();
    return log.substr(from, log.find(' ', from) - from);
}

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// "--profile 5 --playlist-folder <folder>\AppData\Winamp" (a folder of the test's own).
std::wstring Winamp5(const StandInPlayerFolder& folder) {
    return L"--profile 5 --playlist-folder \"" + folder.path() + L"AppData\\Winamp\" ";
}

TEST(Winamp5Host, PlugInsStartOnASingleThreadedSecondThreadAndQuitAfterTheLoopInReverseOrder) {
    StandInPlayerFolder folder(L"sq_w5_probe");
    ASSERT_TRUE(folder.AddPlugin(L"gen_probe.dll", L"gen_probe_a.dll"));
    ASSERT_TRUE(folder.AddPlugin(L"gen_probe.dll", L"gen_probe_b.dll"));
    SimulatorRun run(folder, Winamp5(folder) + L"--exit-after 2 " + kNoSong);
    ASSERT_EQ(run.Wait(30000), 0) << run.Log();

    const std::string log = run.Log();
    const std::string thread = ThreadOf(log, "window");
    ASSERT_NE(thread, "") << log;
    EXPECT_NE(log.find("player: first thread " + ThreadOf(log, "first") + " in the multithreaded apartment"), std::string::npos);
    EXPECT_NE(ThreadOf(log, "first"), thread) << log;
    const std::string probe = sqtest::ReadWholeFile(folder.plugins() + L"probe.log");
    const std::string expected =
        "gen_probe_a.dll: init on thread " + thread + " in the single-threaded apartment\r\n"
        "gen_probe_b.dll: init on thread " + thread + " in the single-threaded apartment\r\n"
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
        SCOPED_TRACE("winampUninstallPlugin answers 1: quit, freed and deleted at once");
        StandInPlayerFolder folder(L"sq_w5_uninstall_now");
        ASSERT_TRUE(folder.AddPlugin(L"gen_probe.dll", L"gen_probe_now.dll"));
        SimulatorRun run(folder, Winamp5(folder) + L"--uninstall-after 1 --exit-after 2 " + kNoSong);
        ASSERT_TRUE(run.WaitForLog("gen_probe_now.dll: quit, unloaded, deleted and no longer listed", 20000)) << run.Log();
        EXPECT_TRUE(sqtest::PluginListTexts(run.PlayerWindow()).empty());
        ASSERT_EQ(run.Wait(30000), 0) << run.Log();
        const std::string probe = sqtest::ReadWholeFile(folder.plugins() + L"probe.log");
        EXPECT_EQ(probe.substr(probe.find('\n') + 1),
                  "gen_probe_now.dll: winampUninstallPlugin answers 1\r\n"
                  "gen_probe_now.dll: quit on thread " + ThreadOf(run.Log(), "window") + ", player window still there\r\n"
                  "gen_probe_now.dll: unloaded by FreeLibrary\r\n");
        EXPECT_FALSE(Exists(folder.plugins() + L"gen_probe_now.dll"));
        EXPECT_EQ(run.Log().find("restarting"), std::string::npos);
    }
    {
        SCOPED_TRACE("winampUninstallPlugin answers 0: the player closes and starts again without it");
        StandInPlayerFolder folder(L"sq_w5_uninstall_later");
        ASSERT_TRUE(folder.AddPlugin(L"gen_probe.dll", L"gen_probe_later.dll"));
        SimulatorRun run(folder, Winamp5(folder) + L"--uninstall-after 1 " + kNoSong);
        ASSERT_TRUE(run.FollowRestart(20000)) << run.Log();
        ASSERT_TRUE(run.WaitForLog("plug-in gen_probe_later.dll: deleted", 20000)) << run.Log();
        const std::string log = run.Log();
        EXPECT_LT(log.find("player: exited cleanly"), log.find("plug-in gen_probe_later.dll: deleted"))
            << "the new player waits for the old one to end:\n" << log;
        EXPECT_NE(sqtest::ReadWholeFile(folder.plugins() + L"probe.log").find("gen_probe_later.dll: quit on thread"),
                  std::string::npos)
            << "quit as the old player closed";
        EXPECT_FALSE(Exists(folder.plugins() + L"gen_probe_later.dll"));
        EXPECT_TRUE(sqtest::PluginListTexts(run.PlayerWindow()).empty());
        ::PostMessageW(run.PlayerWindow(), WM_CLOSE, 0, 0);
        ASSERT_EQ(run.Wait(30000), 0) << run.Log();
    }
}

TEST(Winamp5Host, TimetableShowsAStreamConnectingAndPlaysOnAfterDeleteAndClear) {
    StandInPlayerFolder folder(L"sq_w5_stream");
    SimulatorRun run(folder, Winamp5(folder) + L"--schedule 2,600 --events 9=delete,10=clear --exit-after 11 " +
                                 L"--tags \"Flac Artist|Flac Song\" C:\\Music\\a.flac " +
                                 L"--stream \"Radio X|0=Band - Tune|2=Other - Song\" http://radio.example/live");
    ASSERT_EQ(run.Wait(30000), 0) << run.Log();
    std::vector<std::string> titles;
    const std::string log = run.Log();
    for (size_t at = log.find("title \""); at != std::string::npos; at = log.find("title \"", at + 1)) {
        titles.push_back(log.substr(at + 7, log.find('"', at + 7) - at - 7));
    }
    // The last two are shown as the playing entry is deleted and as the list is cleared.
    const std::string other = "2. Other - Song (Radio X) - Winamp";
    const std::vector<std::string> expected = {"1. Flac Artist - Flac Song - Winamp",
                                               "2. http://radio.example/live - Winamp",
                                               "2. [Connecting] http://radio.example/live - Winamp",
                                               "2. [Buffer: 37%] http://radio.example/live - Winamp",
                                               "2. [Buffer: 81%] http://radio.example/live - Winamp",
                                               "2. Band - Tune (Radio X) - Winamp",
                                               other,
                                               other,
                                               other};
    EXPECT_EQ(titles, expected) << log;
    EXPECT_NE(log.find("player: entry 2 deleted; position 0"), std::string::npos) << log;
    EXPECT_NE(log.find("player: playlist cleared"), std::string::npos) << log;
}

TEST(Winamp5Host, PlayerWindowOfAnotherProcessIsNeverAskedForItsFolder) {
    StandInPlayerFolder folder(L"sq_w5_other_process");
    SimulatorRun run(folder, Winamp5(folder) + L"--exit-after 30 " + kNoSong);
    ASSERT_TRUE(run.WaitForLog("player: song 1 of 1", 20000)) << run.Log();
    // The program folder holds the only file this process may read.
    ASSERT_TRUE(WriteText(folder.path() + L"WINAMP.m3u", "#EXTM3U\r\nC:\\Program Folder\\Song.mp3\r\n"));

    sq::PlayerWindow window;
    const sq::SystemCodePage code_page;
    sq::WinAmpMod player(window, code_page);
    ASSERT_TRUE(player.FindWinAmp());
    EXPECT_EQ(player.GetPlayingFile().path, "C:\\Program Folder\\Song.mp3");
    const std::string log = run.Log();
    EXPECT_NE(log.find("player: request 120"), std::string::npos) << log;
    EXPECT_EQ(log.find("player: request 33"), std::string::npos) << "337/338 asked across processes:\n" << log;
    ::PostMessageW(run.PlayerWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(run.Wait(30000), 0);
}

}  // namespace
