#pragma once
// The player's main window, of class "Winamp v1.x", driven by the model it is: its caption is
// the model's (Unicode on 5.x, in the code page on 2.x) and each request it receives is answered
// by the model. A Windows test makes one in its own process, where the pointer answers are valid
// for the plug-in code under test; the simulator makes its main window with it.
#include <windows.h>

#include <functional>
#include <string>

#include "winamp.h"

namespace sim {

struct WindowLook {
    DWORD style = WS_OVERLAPPEDWINDOW;  // hidden
    RECT place = {0, 0, 300, 100};      // left, top, width, height
    HMENU menu = nullptr;
};

class PlayerWindow : public Winamp {
public:
    explicit PlayerWindow(const Profile& profile = Winamp2(), const WindowLook& look = {});
    ~PlayerWindow() override;

    HWND hwnd() const { return hwnd_; }
    // A caption of the test's own, shown until the model next changes.
    void ShowCaption(const std::wstring& caption);

    // "Scroll title in the Windows taskbar" (off by default): each Scroll(), which the player's
    // 200 ms timer calls whatever it plays, shows the caption's next rotated form
    // (ScrolledCaption); a new caption starts at the first form at once. The model's Caption()
    // and 3034 stay whole.
    bool scroll_title = false;
    void Scroll();
    // As when the player closes.
    void Close();
    // How often the caption was read (WM_GETTEXT).
    int caption_reads() const { return caption_reads_; }

    // The rest of the window's messages (the simulator's menus, timer and close): true when it
    // has answered one, in `result`.
    std::function<bool(UINT message, WPARAM, LPARAM, LRESULT& result)> handle;

protected:
    void Changed() override;

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wp, LPARAM lp);
    void ShowForm();

    HWND hwnd_ = nullptr;
    std::wstring shown_;  // the whole caption, which the window shows or rotates
    std::size_t scroll_step_ = 0;
    int caption_reads_ = 0;
};

}  // namespace sim
