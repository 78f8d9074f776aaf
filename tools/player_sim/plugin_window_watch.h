#pragma once
// Follows what the Sonoquill control window shows (its connection, countdown, response and
// time labels) and logs each text it is given, so that a demonstration can be followed in a
// terminal. The window lives on the player's thread, so a hook on that thread sees every text
// as it is set, even states that last only a moment.
#include <windows.h>

#include <cstddef>

namespace sim {

class PluginWindowWatch {
public:
    // `song` and `songs` (1-based) label the countdown's progress lines.
    void Start();
    void Stop();
    void SetSong(size_t song, size_t songs);
    // Logs what the window shows now (its first texts come with the window, not as changes).
    void LogCurrent();

private:
    static LRESULT CALLBACK AfterMessage(int code, WPARAM wp, LPARAM lp);
    void OnTextSet(HWND control);
    void LogLabel(HWND control);

    HHOOK hook_ = nullptr;
    size_t song_ = 0;
    size_t songs_ = 0;
    int last_progress_ = -1000;
};

}  // namespace sim
