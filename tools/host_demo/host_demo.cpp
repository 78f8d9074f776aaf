// Drives the component the way the player's host wrapper does, and prints what happens:
// creation by ProgID, Initialize (the description the host receives), and the hidden window's
// countdown following a stand-in player's title.
#include <windows.h>

#include <cstdio>
#include <string>

#include "host/fake_player_window.h"
#include "host/stand_in_wrapper.h"
#include "kvo_winamp_gen.h"
#include "support/win_test_support.h"
#include "ui/frm_main.h"
#include "ui/submission_runs_property.h"

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 5;
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    CLSID clsid{};
    if (FAILED(::CLSIDFromProgID(L"Sonoquill_WA.Plugin", &clsid))) {
        std::printf("Sonoquill_WA.Plugin is not registered\n");
        return 1;
    }
    IKvoWinAmpGenPlugin* plugin = nullptr;
    HRESULT hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IKvoWinAmpGenPlugin,
                                    reinterpret_cast<void**>(&plugin));
    std::printf("created Sonoquill_WA.Plugin: hr=0x%08lx\n", static_cast<unsigned long>(hr));
    if (FAILED(hr)) return 1;

    sqtest::FakePlayerWindow player("1. Demo Artist - Demo Song - Winamp");
    sqtest::StandInWrapper wrapper(player.hwnd());
    hr = plugin->Initialize(&wrapper);
    std::printf("Initialize: hr=0x%08lx\n", static_cast<unsigned long>(hr));
    for (const std::wstring& d : wrapper.descriptions) std::printf("description for the player's list: %ls\n", d.c_str());

    HWND window = ::FindWindowW(sq::kMainWindowClass, nullptr);
    std::printf("control window: %s, %s\n", window ? "loaded" : "missing",
                window && ::IsWindowVisible(window) ? "visible" : "hidden");
    std::printf("player title: \"1. Demo Artist - Demo Song - Winamp\"\n");
    UINT_PTR runs_seen = 0;
    for (int i = 0; i < seconds; ++i) {
        sqtest::PumpMessagesFor(1000);
        std::printf("  lblTime: %ls\n", sqtest::WindowText(::GetDlgItem(window, sq::IDC_LBL_TIME)).c_str());
        if (const UINT_PTR runs = sq::SubmissionRunsStarted(window); runs != runs_seen) {
            runs_seen = runs;
            std::printf("  the countdown ran out: submission run started (%u so far)\n", static_cast<unsigned>(runs));
        }
        std::fflush(stdout);
    }
    plugin->Quit();
    std::printf("Quit: the window and its countdown live on until the player exits\n");
    plugin->Release();
    return 0;
}
