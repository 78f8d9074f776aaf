// The first show of the control window, as the player's Configure brings it: how long the player's
// thread is held from the call until the window is on the screen. That first show is when the
// drive list and the folder list are first read, each drive and folder on a thread of its own for
// about a second at the most. Hosts gen_sonoquill.dll as the player does (init, then config), with
// "&Save" pressed once the window is up; prints "first show <ms> ms". bench/startup/run.sh runs it.
//   first_show_bench.exe <path of gen_sonoquill.dll>
#include <windows.h>

#include <cstdio>

#include "host_wrapper/win32_gen_descriptor.h"
#include "ui/win32_frm_main.h"

namespace {

LARGE_INTEGER g_config_start;
double g_shown_ms = -1;

double MillisecondsSinceConfig() {
    LARGE_INTEGER now, frequency;
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - g_config_start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Runs inside the window's modal loop, as soon as the player's thread takes messages again.
void CALLBACK PressSaveOnceShown(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND window = ::FindWindowW(sq::kMainWindowClass, nullptr);
    if (!window || !::IsWindowVisible(window)) return;
    g_shown_ms = MillisecondsSinceConfig();
    ::KillTimer(nullptr, timer);
    ::SendMessageW(::GetDlgItem(window, sq::IDC_CMD_SAVE), BM_CLICK, 0, 0);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: first_show_bench.exe <path of gen_sonoquill.dll>\n");
        return 2;
    }
    HMODULE wrapper = ::LoadLibraryW(argv[1]);
    auto get = wrapper ? reinterpret_cast<sq::GetGeneralPurposePluginFn>(reinterpret_cast<void*>(
                             ::GetProcAddress(wrapper, "winampGetGeneralPurposePlugin")))
                       : nullptr;
    sq::GeneralPurposePlugin* plugin = get ? get() : nullptr;
    if (!plugin) {
        std::fprintf(stderr, "first_show_bench: no general-purpose plug-in in %ls\n", argv[1]);
        return 1;
    }
    plugin->hwndParent = ::CreateWindowExW(0, L"STATIC", L"Winamp", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    plugin->hDllInstance = wrapper;
    if (plugin->init() != 0) {
        std::fprintf(stderr, "first_show_bench: init failed\n");
        return 1;
    }
    ::SetTimer(nullptr, 0, 5, &PressSaveOnceShown);
    ::QueryPerformanceCounter(&g_config_start);
    plugin->config();
    if (g_shown_ms < 0) return 1;
    std::printf("first show %.1f ms\n", g_shown_ms);
    std::fflush(stdout);
    // The reads that came too late may still be waiting on the drive; they end with the process.
    ::ExitProcess(0);
}
