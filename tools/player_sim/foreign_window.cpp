#include "foreign_window.h"

#include "options.h"
#include "tool_log.h"
#include "winamp_model/code_page_text.h"
#include "winamp_model/player_window.h"

namespace sim {

int RunForeignWindow(const Options& options) {
    PlayerWindow window(*options.profile, {WS_OVERLAPPEDWINDOW | WS_VISIBLE, {40, 40, 320, 80}, nullptr});
    if (!window.hwnd()) {
        Log("foreign window: cannot create the window (is there a display?)");
        return 1;
    }
    window.foreign = true;
    window.log = [](const std::string& line, bool) { Log("%s", line.c_str()); };
    window.handle = [&window](UINT message, WPARAM, LPARAM, LRESULT&) {
        if (message == WM_TIMER || message == WM_CLOSE) window.Close();
        if (message == WM_DESTROY) ::PostQuitMessage(0);
        return message == WM_TIMER || message == WM_CLOSE || message == WM_DESTROY;
    };
    Entry song;
    song.path = L"C:\\Foreign\\song.mp3";
    song.artist = L"Foreign Artist";
    song.title = L"Foreign Song";
    window.Add(song);
    window.Play(0);
    if (options.exit_after > 0) ::SetTimer(window.hwnd(), 1, static_cast<UINT>(options.exit_after) * 1000, nullptr);
    Log("foreign window: up in process %lu, title \"%s\"", ::GetCurrentProcessId(),
        EncodedText(window.Caption(), CP_UTF8).c_str());
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
    Log("foreign window: closed");
    return 0;
}

}  // namespace sim
