#include "plugin_window_watch.h"

#include <cstdlib>

#include "sim_log.h"
#include "ui/frm_main.h"

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
constexpr int kTimeLabel = 1;

std::string ControlText(HWND window, int id) {
    HWND control = ::GetDlgItem(window, id);
    if (!control) return {};
    char text[512] = {};
    ::GetWindowTextA(control, text, sizeof text);
    return text;
}

}  // namespace

void PluginWindowWatch::Poll(size_t song, size_t songs) {
    HWND window = ::FindWindowW(sq::kMainWindowClass, nullptr);
    if (!window) return;
    for (int i = 0; i < 4; ++i) {
        const std::string text = ControlText(window, kLabels[i].id);
        if (text == texts_[i]) continue;
        texts_[i] = text;
        if (i == kTimeLabel) {
            // The countdown only runs for a song it has not submitted yet; print every fifth second.
            const int left = std::atoi(text.c_str());
            if (left < 50 && left >= 0 && (left % 5 == 0 || left < 3) && left != last_progress_) {
                Log("song %u of %u: %d s left", static_cast<unsigned>(song), static_cast<unsigned>(songs), left);
                last_progress_ = left;
            }
            continue;
        }
        Log("control window %s: \"%s\"", kLabels[i].name, text.c_str());
    }
}

}  // namespace sim
