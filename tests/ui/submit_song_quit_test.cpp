// The player's loop is asked to quit while a run waits for its answer: the run gives the request
// up and returns instead of waiting on (the quit message is left for the player's own loop), and
// the request is freed once WinINet has let it go.
// Its own process: once the quit has been seen, every later wait in the process returns at once.
#include <gtest/gtest.h>

#include <memory>

#include "common/win32_module.h"
#include "stand_in_service/service.h"
#include "submit/registry_override.h"
#include "support/win_test_support.h"
#include "ui/win32_frm_main.h"
#include "winamp_model/player_window.h"

namespace sq {
namespace {

sqtest::StandInService* g_service = nullptr;

void CALLBACK QuitOnceTheRequestIsIn(HWND, UINT, UINT_PTR id, DWORD) {
    if (g_service->RequestCount() == 0) return;
    ::KillTimer(nullptr, id);
    ::PostQuitMessage(7);
}

TEST(SubmitSongQuit, QuitDuringTheWaitAbandonsTheRequestAndLeavesTheQuitForThePlayer) {
    auto service = std::make_unique<sqtest::StandInService>();
    ASSERT_TRUE(service->ok());
    g_service = service.get();
    sqtest::ServiceScript stall{"200 OK", "Success"};
    stall.stall_ms = 10000;
    service->SetScript(stall);
    sqtest::ProxyOverride proxy(service->port());
    sim::PlayerWindow player;
    player.Add({L"C:\\Music\\song.mp3", L"A", L"B"});
    player.Play(0);
    sqtest::RegistryOverride registration(HKEY_CLASSES_ROOT, L"WinAmp.File\\shell\\play\\command", nullptr,
                                          std::wstring(L"\"C:\\nowhere\\winamp.exe\" \"%1\""));
    frmMain& form = frmMain::Instance();
    ASSERT_HRESULT_SUCCEEDED(form.Load());
    form.SetControlText(IDC_LBL_RESPONSE, "No data sent yet.");
    const long locks = ModuleLock::Count();

    form.CountdownForTesting().LastPlayed = "before";
    form.tmrCountDown_Timer();  // the song's count starts
    ::SetTimer(nullptr, 0, 50, &QuitOnceTheRequestIsIn);
    const ULONGLONG started = ::GetTickCount64();
    form.CountdownForTesting().lngCounter = 0;
    form.tmrCountDown_Timer();
    const ULONGLONG took = ::GetTickCount64() - started;

    EXPECT_EQ(service->RequestCount(), 1u);
    EXPECT_LT(took, 5000u) << "the run kept waiting after the quit";
    EXPECT_EQ(form.ControlText(IDC_LBL_RESPONSE), "No data sent yet.");
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit message was swallowed";
    EXPECT_EQ(msg.wParam, 7u);
    g_service = nullptr;
    service.reset();  // closes the connection WinINet still waits on
    EXPECT_TRUE(sqtest::PumpMessagesUntil([locks] { return ModuleLock::Count() == locks; }, 10000))
        << "the given-up request was never freed";
}

}  // namespace
}  // namespace sq
