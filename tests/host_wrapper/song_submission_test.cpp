// The whole job through the player: the simulator plays a tagged MP3, the wrapper starts the
// plug-in, and after the countdown one POST with the song's tags reaches the stand-in service
// (through this prefix's proxy setting); its answer shows in the control window.
#include <gtest/gtest.h>

#include "host_wrapper/simulated_player.h"
#include "submit/registry_override.h"
#include "submit/stand_in_service.h"
#include "support/win_test_support.h"
#include "common/ansi_text.h"
#include "ui/frm_main.h"

namespace {

const std::wstring kSettings = L"Software\\VB and VBA Program Settings\\Sonoquill\\Settings";

TEST(SongSubmission, OneSongReachesTheServiceWithItsTags) {
    sqtest::StandInService service;
    ASSERT_TRUE(service.ok());
    service.Answer("Success");
    sqtest::ProxyOverride proxy(service.port());
    sqtest::RegistryOverride user(HKEY_CURRENT_USER, kSettings, L"Username", std::wstring(L"tester"));
    sqtest::RegistryOverride password(HKEY_CURRENT_USER, kSettings, L"Password", std::wstring(L"secret"));
    sqtest::RegistryOverride exclude(HKEY_CURRENT_USER, kSettings, L"Exclude", std::wstring());

    const std::wstring song = sqtest::ProgramFolder() + L"..\\songs\\01-first.mp3";
    ASSERT_NE(::GetFileAttributesW(song.c_str()), INVALID_FILE_ATTRIBUTES) << "the songs fixture made the files";
    sqtest::StandInPlayerFolder folder(L"sq_submit");
    ASSERT_TRUE(folder.AddPlugin(L"gen_sonoquill.dll"));
    ASSERT_TRUE(folder.AddPlugin(L"Sonoquill_WA.dll"));
    sqtest::SimulatorRun run(folder, L"--schedule 600 --exit-after 75 \"" + song + L"\"");
    ASSERT_TRUE(run.WaitForLog("title \"1. Demo Artist - First Song - Winamp\"", 30000)) << run.Log();

    // The countdown takes 51 s from the first tick.
    ASSERT_TRUE(sqtest::PumpMessagesUntil([&] { return service.RequestCount() > 0; }, 70000))
        << "no submission arrived:\n" << run.Log();
    const sqtest::ReceivedRequest request = service.Requests().front();
    EXPECT_EQ(request.request_line.rfind("POST http://www.sonoquill.net", 0), 0u) << request.request_line;
    EXPECT_NE(request.request_line.find("/index.php?c=tester&p=secret&art=Demo%20Artist&trk=First%20Song "),
              std::string::npos)
        << "artist and title come from the file's tags: " << request.request_line;
    EXPECT_EQ(request.Header("oquill_Protocol"), "SNQP1.0");
    EXPECT_EQ(request.Header("oquill_Client"), "wa");
    EXPECT_EQ(request.Header("oquill_ID"), "730241");
    EXPECT_EQ(request.Header("oquill_Version"), "1.0.61");

    HWND window = ::FindWindowW(sq::kMainWindowClass, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(sqtest::PumpMessagesUntil(
        [&] { return sqtest::WindowText(::GetDlgItem(window, sq::IDC_LBL_RESPONSE)) == L"Thanks! Your song was submitted."; },
        15000))
        << "lblResponse: " << sq::AnsiFromWide(sqtest::WindowText(::GetDlgItem(window, sq::IDC_LBL_RESPONSE)));

    ::PostMessageW(run.PlayerWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(run.Wait(30000), 0) << run.Log();
    EXPECT_EQ(service.RequestCount(), 1u) << "one song, one submission";
}

}  // namespace
