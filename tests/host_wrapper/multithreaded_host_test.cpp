// gen_sonoquill.dll driven directly by the test program, which starts it as Winamp 5.x does: the
// main thread joins the multithreaded apartment before the plug-in loads, and init, the uninstall
// export and quit run on it. The user's registration of the component wins over the machine's
// (COM under Wine ignores the user's, so only here is that choice seen), and the uninstall export
// asks about the stored settings with No as the default and keeps the player running. (The
// simulator covers the machine's registration, the DLL beside the wrapper and the removal of an
// installation.) One process per scenario: the window lives as long as the process.
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>

#include <atomic>
#include <thread>

#include "host/fake_player_window.h"
#include "host_wrapper/gen_descriptor.h"
#include "host_wrapper/simulated_player.h"
#include "submit/registry_override.h"
#include "support/win_test_support.h"
#include "ui/frm_main.h"

namespace {

const std::wstring kSettings = L"Software\\VB and VBA Program Settings\\Sonoquill\\Settings";

// The player's side of a general-purpose plug-in, as Winamp 5.x does it. quit runs at the end and
// no FreeLibrary follows.
class MultithreadedPlayer {
public:
    explicit MultithreadedPlayer(const std::wstring& wrapper) : window_("1. Some Artist - Some Song - Winamp") {
        com_ = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        module_ = ::LoadLibraryW(wrapper.c_str());
        auto get = reinterpret_cast<sq::GetGeneralPurposePluginFn>(
            reinterpret_cast<void*>(::GetProcAddress(module_, "winampGetGeneralPurposePlugin")));
        descriptor_ = get ? get() : nullptr;
        if (!descriptor_ || descriptor_->version != sq::kGeneralPurposeVersion) return;
        descriptor_->hwndParent = window_.hwnd();
        descriptor_->hDllInstance = module_;
        init_result_ = descriptor_->init();
    }
    ~MultithreadedPlayer() {
        if (init_result_ == 0) descriptor_->quit();
    }

    bool com_is_multithreaded() const { return com_ == S_OK; }
    int init_result() const { return init_result_; }
    HWND window() const { return window_.hwnd(); }
    HMODULE module() const { return module_; }

private:
    HRESULT com_ = E_FAIL;
    sqtest::FakePlayerWindow window_;
    HMODULE module_ = nullptr;
    sq::GeneralPurposePlugin* descriptor_ = nullptr;
    int init_result_ = -1;
};

std::wstring LoadedComponentPath() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(::GetModuleHandleW(L"Sonoquill_WA.dll"), path, MAX_PATH);
    return path;
}

bool SamePath(const std::wstring& a, const std::wstring& b) { return lstrcmpiW(a.c_str(), b.c_str()) == 0; }

bool FileExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring TimeLabel(HWND window) { return sqtest::WindowText(::GetDlgItem(window, sq::IDC_LBL_TIME)); }

// The control window belongs to this thread, and its countdown goes on while this thread pumps.
void ExpectCountdownOnThisThread() {
    HWND window = ::FindWindowW(sq::kMainWindowClass, nullptr);
    ASSERT_NE(window, nullptr) << "init loaded the control window";
    EXPECT_EQ(::GetWindowThreadProcessId(window, nullptr), ::GetCurrentThreadId())
        << "the window (and its timer) must belong to the player's thread";
    const std::wstring before = TimeLabel(window);
    EXPECT_TRUE(sqtest::PumpMessagesUntil([&] { return TimeLabel(window) != before; }, 2500))
        << "the countdown ticks while the player's thread dispatches messages";
}

int Regsvr32(const std::wstring& options, const std::wstring& dll) {
    return sqtest::RunProcess(L"regsvr32.exe " + options + L" \"" + dll + L"\"");
}

TEST(MultithreadedHost, PrefersTheUsersRegistrationToTheMachines) {
    // The machine's registration (the test fixture) names the build's DLL; the user's names a copy.
    const std::wstring user_folder = sqtest::TempFolder(L"sq_user_server");
    const std::wstring user_copy = user_folder + L"Sonoquill_WA.dll";
    ASSERT_TRUE(::CopyFileW(sqtest::DllPath().c_str(), user_copy.c_str(), FALSE));
    ASSERT_EQ(Regsvr32(L"/s /n /i:user", user_copy), 0);
    struct Unregister {
        std::wstring dll;
        ~Unregister() { Regsvr32(L"/s /u /n /i:user", dll); }
    } unregister{user_copy};

    sqtest::StandInPlayerFolder folder(L"sq_mta_user");
    ASSERT_TRUE(folder.AddPlugin(L"gen_sonoquill.dll"));
    MultithreadedPlayer player(folder.plugins() + L"gen_sonoquill.dll");
    ASSERT_EQ(player.init_result(), 0);
    EXPECT_TRUE(SamePath(LoadedComponentPath(), user_copy)) << LoadedComponentPath();
    ExpectCountdownOnThisThread();
}

// Presses Enter in the message box this process shows next, from a thread of its own (the box
// blocks the thread that called the export), and records what the box offered.
class MessageBoxAnswerer {
public:
    MessageBoxAnswerer() : worker_([this] { Run(); }) {}
    ~MessageBoxAnswerer() { worker_.join(); }

    std::atomic<bool> seen{false};
    int default_button = 0;  // and `text`: set before `seen`
    std::wstring text;

private:
    void Run() {
        HWND box = nullptr;
        for (int i = 0; i < 200 && !box; ++i, ::Sleep(50)) {
            const std::vector<HWND> dialogs = sqtest::VisibleDialogsOf(::GetCurrentProcessId());
            if (!dialogs.empty()) box = dialogs.front();
        }
        if (!box) return;
        text = sqtest::LabelTexts(box);
        // The default button is the one with the focus and the default frame: Enter presses it.
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        ::GetGUIThreadInfo(::GetWindowThreadProcessId(box, nullptr), &gui);
        if (gui.hwndFocus && (::GetWindowLongW(gui.hwndFocus, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            default_button = ::GetDlgCtrlID(gui.hwndFocus);
        }
        seen = true;
        ::PostMessageW(gui.hwndFocus ? gui.hwndFocus : box, WM_KEYDOWN, VK_RETURN, 0);
    }

    std::thread worker_;
};

using UninstallFn = int(__cdecl*)(HINSTANCE, HWND, int);

int CallUninstallExport(const MultithreadedPlayer& player) {
    auto uninstall = reinterpret_cast<UninstallFn>(
        reinterpret_cast<void*>(::GetProcAddress(player.module(), "winampUninstallPlugin")));
    return uninstall ? uninstall(player.module(), player.window(), 0) : -1;
}

TEST(MultithreadedHost, UninstallAsksAboutTheSettingsWithNoAsDefaultAndKeepsThePlayerRunning) {
    sqtest::RegistryOverride user(HKEY_CURRENT_USER, kSettings, L"Username", std::wstring(L"anna"));
    sqtest::StandInPlayerFolder folder(L"sq_mta_hand_copy");
    ASSERT_TRUE(folder.AddPlugin(L"gen_sonoquill.dll"));
    ASSERT_TRUE(folder.AddPlugin(L"Sonoquill_WA.dll"));
    MultithreadedPlayer player(folder.plugins() + L"gen_sonoquill.dll");
    ASSERT_EQ(player.init_result(), 0);

    int result = -1;
    {
        MessageBoxAnswerer answerer;
        result = CallUninstallExport(player);
        ASSERT_TRUE(answerer.seen) << "the export asks about the stored settings";
        EXPECT_EQ(answerer.default_button, IDNO) << "No is the default answer";
        EXPECT_NE(answerer.text.find(L"account and excluded folder"), std::wstring::npos);
    }
    EXPECT_EQ(result, 0) << "0: the player keeps the plug-in loaded";
    EXPECT_EQ(sqtest::ReadRegistryString(HKEY_CURRENT_USER, kSettings, L"Username"), L"anna")
        << "Enter answers No, and No keeps the account";
    EXPECT_TRUE(FileExists(folder.plugins() + L"Sonoquill_WA.dll")) << "a copy made by hand has no uninstaller";
    ExpectCountdownOnThisThread();
}

}  // namespace
