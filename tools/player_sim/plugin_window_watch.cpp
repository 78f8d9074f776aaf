#include "plugin_window_watch.h"

#include <cstdlib>
#include <string>

#include "tool_log.h"
#include "ui/win32_frm_main.h"

namespace sim {
namespace {

struct WatchedLabel {
    int id;
    const char* name;
};
constexpr WatchedLabel kLabels[] = {
    {sq::IDC_LBL_CONNECTED, "lblConnected"},
    {sq::IDC_LBL_TIME, "lblTime"},
    {sq::IDC_LBL_RESPONSE, "lblResponse"},
    {sq::IDC_LBL_LAST_TIME, "lblLastTime"},
};

PluginWindowWatch* g_watch = nullptr;  // one per player thread

bool IsControlWindow(HWND window) {
    wchar_t name[64] = {};
    return window && ::GetClassNameW(window, name, 64) && lstrcmpW(name, sq::kMainWindowClass) == 0;
}

}  // namespace

void PluginWindowWatch::Start() {
    g_watch = this;
    hook_ = ::SetWindowsHookExW(WH_CALLWNDPROCRET, AfterMessage, nullptr, ::GetCurrentThreadId());
}

void PluginWindowWatch::Stop() {
    if (hook_) ::UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
    g_watch = nullptr;
}

void PluginWindowWatch::SetSong(size_t song, size_t songs) {
    song_ = song;
    songs_ = songs;
}

LRESULT CALLBACK PluginWindowWatch::AfterMessage(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION && g_watch) {
        const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lp);
        if (message->message == WM_SETTEXT) g_watch->OnTextSet(message->hwnd);
    }
    return ::CallNextHookEx(nullptr, code, wp, lp);
}

void PluginWindowWatch::LogCurrent() {
    HWND window = ::FindWindowW(sq::kMainWindowClass, nullptr);
    if (!window) return;
    for (const WatchedLabel& label : kLabels) {
        if (label.id != sq::IDC_LBL_TIME) LogLabel(::GetDlgItem(window, label.id));
    }
}

void PluginWindowWatch::OnTextSet(HWND control) {
    if (IsControlWindow(::GetParent(control))) LogLabel(control);
}

void PluginWindowWatch::LogLabel(HWND control) {
    if (!control) return;
    const int id = ::GetDlgCtrlID(control);
    char buffer[512] = {};
    ::GetWindowTextA(control, buffer, sizeof buffer);
    const std::string text = buffer;
    for (const WatchedLabel& label : kLabels) {
        if (label.id != id) continue;
        if (id == sq::IDC_LBL_TIME) {
            // The countdown only runs for a song it has not submitted yet; every fifth second is shown.
            const int left = std::atoi(text.c_str());
            if (left < 50 && left >= 0 && (left % 5 == 0 || left < 3) && left != last_progress_) {
                Log("song %u of %u: %d s left", static_cast<unsigned>(song_), static_cast<unsigned>(songs_), left);
            }
            last_progress_ = left;
            return;
        }
        Log("control window %s: \"%s\"", label.name, text.c_str());
    }
}

}  // namespace sim
