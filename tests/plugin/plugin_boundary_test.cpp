// The host contract, driven as the host wrapper drives it: creation by ProgID in a single-threaded
// apartment (Winamp 2.x and 5.9) or from the class factory in the multithreaded one,
// Initialize, Configure and Quit, the hidden window and its one-second countdown. Each scenario runs in a
// process of its own (see CMakeLists.txt), because the window lives as long as the DLL does.
#include <gtest/gtest.h>

#include <functional>

#include "kvo_winamp_gen.h"
#include "plugin/plugin_host.h"
#include "plugin/stand_in_wrapper.h"
#include "sonoquill_wa.h"
#include "support/win_test_support.h"
#include "ui/win32_frm_main.h"
#include "winamp_model/player_window.h"

namespace {

using sq::kMainWindowClass;
constexpr int kSaveButton = sq::IDC_CMD_SAVE;
constexpr int kTimeLabel = sq::IDC_LBL_TIME;

using sqtest::ComApartment;
using sqtest::CreatePluginByProgId;
using sqtest::CreatePluginFromClassFactory;

HWND MainWindow() { return ::FindWindowW(kMainWindowClass, nullptr); }

BOOL CALLBACK CountIfMainWindow(HWND hwnd, LPARAM counter) {
    wchar_t name[64] = {};
    ::GetClassNameW(hwnd, name, 64);
    if (lstrcmpW(name, kMainWindowClass) == 0) ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

int CountMainWindows() {
    int count = 0;
    ::EnumWindows(CountIfMainWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

int TimeLabelSeconds() {
    const std::wstring text = sqtest::WindowText(::GetDlgItem(MainWindow(), kTimeLabel));
    return text.empty() ? -1000 : _wtoi(text.c_str());
}

// Runs `action` once from a thread timer, i.e. from inside whatever message loop is running then.
std::function<void()> g_timer_action;
void CALLBACK RunTimerAction(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    auto pending = std::move(g_timer_action);
    g_timer_action = nullptr;
    if (pending) pending();
}
void RunFromMessageLoopAfter(UINT ms, std::function<void()> action) {
    g_timer_action = std::move(action);
    ::SetTimer(nullptr, 0, ms, RunTimerAction);
}

// The player playing a song: a new title for the countdown.
void PlayASong(sim::PlayerWindow& player) {
    player.Add({L"C:\\Music\\song.mp3", L"Some Artist", L"Some Song"});
    player.Play(0);
}

using DllCanUnloadNowFn = HRESULT(WINAPI*)();
HRESULT CallDllCanUnloadNow() {
    HMODULE dll = ::GetModuleHandleW(L"Sonoquill_WA.dll");
    if (!dll) return E_FAIL;
    auto fn = reinterpret_cast<DllCanUnloadNowFn>(reinterpret_cast<void*>(::GetProcAddress(dll, "DllCanUnloadNow")));
    return fn ? fn() : E_FAIL;
}

TEST(PluginBoundary, CreatedByProgIdInitializedAndTickingAfterQuit) {
    ComApartment com;
    sim::PlayerWindow player;
    PlayASong(player);
    IKvoWinAmpGenPlugin* plugin = CreatePluginByProgId();
    ASSERT_NE(plugin, nullptr) << "Sonoquill_WA.Plugin must be creatable by ProgID after regsvr32";

    IDispatch* dispatch = nullptr;
    ASSERT_EQ(plugin->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)), S_OK);
    ITypeInfo* info = nullptr;
    EXPECT_EQ(dispatch->GetTypeInfo(0, 0, &info), S_OK) << "the type library must be embedded in the DLL";
    if (info) info->Release();
    dispatch->Release();

    sqtest::StandInWrapper wrapper;
    EXPECT_EQ(CountMainWindows(), 0) << "no window before Initialize";
    ASSERT_EQ(plugin->Initialize(&wrapper), S_OK);
    ASSERT_EQ(wrapper.descriptions.size(), 1u);
    EXPECT_EQ(wrapper.descriptions[0].rfind(L"Sonoquill by ", 0), 0u) << "description starts with the product and ' by '";
    EXPECT_GT(wrapper.descriptions[0].size(), 13u) << "an author's name follows";
    EXPECT_EQ(wrapper.references(), 2) << "the plug-in keeps one reference to the wrapper";

    HWND window = MainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(::IsWindowVisible(window)) << "Initialize loads the window hidden";
    EXPECT_EQ(TimeLabelSeconds(), 50);

    ASSERT_TRUE(sqtest::PumpMessagesUntil([] { return TimeLabelSeconds() <= 48; }, 5000))
        << "the countdown should run once a second on a new title";

    EXPECT_EQ(plugin->Quit(), S_OK);
    const int before = TimeLabelSeconds();
    EXPECT_TRUE(sqtest::PumpMessagesUntil([&] { return TimeLabelSeconds() < before; }, 3000))
        << "Quit leaves the window and its countdown running";
    EXPECT_TRUE(::IsWindow(window));
    EXPECT_EQ(wrapper.references(), 2) << "Quit does not release the wrapper";

    plugin->Release();
    EXPECT_EQ(wrapper.references(), 1) << "the wrapper is released with the plug-in object";
    EXPECT_EQ(CallDllCanUnloadNow(), S_FALSE) << "the window still lives in the DLL";
    ::CoFreeUnusedLibrariesEx(0, 0);
    EXPECT_NE(::GetModuleHandleW(L"Sonoquill_WA.dll"), nullptr);
    EXPECT_TRUE(::IsWindow(window));
    const int after_release = TimeLabelSeconds();
    EXPECT_TRUE(sqtest::PumpMessagesUntil([&] { return TimeLabelSeconds() != after_release; }, 3000));
}

TEST(PluginBoundary, UnusedObjectsLetTheDllUnload) {
    ComApartment com;
    IKvoWinAmpGenPlugin* plugin = CreatePluginByProgId();
    ASSERT_NE(plugin, nullptr);
    EXPECT_EQ(CallDllCanUnloadNow(), S_FALSE) << "a live object holds the DLL";
    plugin->Release();
    EXPECT_EQ(CallDllCanUnloadNow(), S_OK) << "without objects or a window the DLL may go";
}

TEST(PluginBoundary, ConfigureBeforeInitializeShowsModallyUntilSave) {
    ComApartment com(COINIT_MULTITHREADED);
    IKvoWinAmpGenPlugin* plugin = CreatePluginFromClassFactory();
    ASSERT_NE(plugin, nullptr);

    bool checked_inside = false;
    bool nested_returned = false;
    RunFromMessageLoopAfter(300, [&] {
        HWND window = MainWindow();
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(::IsWindowVisible(window)) << "Configure shows the window";
        EXPECT_EQ(::GetWindow(window, GW_OWNER), nullptr) << "shown with no owner";
        EXPECT_EQ(TimeLabelSeconds(), 50) << "the load sequence ran";

        // Every kind of close request is refused.
        ::SendMessageW(window, WM_CLOSE, 0, 0);
        ::SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        ::SendMessageW(window, WM_SYSKEYDOWN, VK_F4, 0x20000000);  // Alt+F4
        sqtest::PumpMessagesFor(200);
        EXPECT_TRUE(::IsWindow(window));
        EXPECT_TRUE(::IsWindowVisible(window)) << "close requests must not hide or destroy the window";

        // A second Configure while the first is up returns at once instead of nesting.
        nested_returned = plugin->Configure() == S_OK;
        checked_inside = true;
        ::SendMessageW(::GetDlgItem(window, kSaveButton), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(plugin->Configure(), S_OK);
    EXPECT_TRUE(checked_inside) << "Configure returned before the window was checked and saved";
    EXPECT_TRUE(nested_returned);
    HWND window = MainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(::IsWindowVisible(window)) << "\"&Save\" hides the window";

    // The countdown keeps running although the host never received a description.
    sim::PlayerWindow player;
    PlayASong(player);
    EXPECT_TRUE(sqtest::PumpMessagesUntil([] { return TimeLabelSeconds() <= 48; }, 5000));
    plugin->Release();
}

TEST(PluginBoundary, InitializeTwiceLoadsTheWindowOnce) {
    ComApartment com(COINIT_MULTITHREADED);
    sim::PlayerWindow player;
    PlayASong(player);
    IKvoWinAmpGenPlugin* plugin = CreatePluginFromClassFactory();
    ASSERT_NE(plugin, nullptr);
    sqtest::StandInWrapper first;
    sqtest::StandInWrapper second;
    ASSERT_EQ(plugin->Initialize(&first), S_OK);
    ASSERT_TRUE(sqtest::PumpMessagesUntil([] { return TimeLabelSeconds() <= 48; }, 5000));

    ASSERT_EQ(plugin->Initialize(&second), S_OK);
    EXPECT_EQ(first.descriptions.size(), 1u);
    EXPECT_EQ(second.descriptions.size(), 1u) << "the description is sent again";
    EXPECT_EQ(first.references(), 1) << "the second wrapper replaces the first";
    EXPECT_EQ(second.references(), 2);
    EXPECT_EQ(CountMainWindows(), 1);
    EXPECT_EQ(::GetWindowThreadProcessId(MainWindow(), nullptr), ::GetCurrentThreadId())
        << "the window and its countdown belong to the player's thread";
    sqtest::PumpMessagesFor(1200);
    EXPECT_LT(TimeLabelSeconds(), 48) << "a second Initialize must not rerun the load sequence (counter reset)";
    plugin->Release();
}

TEST(PluginBoundary, FailingWrapperStopsInitializeBeforeTheWindow) {
    ComApartment com(COINIT_MULTITHREADED);
    IKvoWinAmpGenPlugin* plugin = CreatePluginFromClassFactory();
    ASSERT_NE(plugin, nullptr);
    sqtest::StandInWrapper refusing;
    refusing.refuse_with = static_cast<HRESULT>(0x8004ABCDL);
    EXPECT_EQ(plugin->Initialize(&refusing), static_cast<HRESULT>(0x8004ABCDL)) << "the wrapper's own failure comes back";
    EXPECT_EQ(CountMainWindows(), 0) << "no window, no countdown";
    sqtest::PumpMessagesFor(1200);
    EXPECT_EQ(CountMainWindows(), 0);

    EXPECT_EQ(plugin->Initialize(nullptr), E_POINTER) << "a missing wrapper is refused, not dereferenced";

    sqtest::StandInWrapper accepting;
    EXPECT_EQ(plugin->Initialize(&accepting), S_OK);
    EXPECT_EQ(CountMainWindows(), 1) << "a later Initialize loads the window";
    plugin->Release();
}

TEST(PluginBoundary, QuitThenConfigureShowsTheWindow) {
    ComApartment com(COINIT_MULTITHREADED);
    IKvoWinAmpGenPlugin* plugin = CreatePluginFromClassFactory();
    ASSERT_NE(plugin, nullptr);
    sqtest::StandInWrapper wrapper;
    ASSERT_EQ(plugin->Initialize(&wrapper), S_OK);
    EXPECT_EQ(plugin->Quit(), S_OK);
    bool shown = false;
    RunFromMessageLoopAfter(300, [&] {
        shown = ::IsWindowVisible(MainWindow()) != FALSE;
        ::SendMessageW(::GetDlgItem(MainWindow(), kSaveButton), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(plugin->Configure(), S_OK);
    EXPECT_TRUE(shown);
    plugin->Release();
}

}  // namespace
