#pragma once
// A stand-in for the player as the plug-in sees it: a top-level window of class "Winamp v1.x"
// whose title the test sets (the player's own name for an idle start, with or without the
// playlist number), answering request 120 by writing its playlist and returning the current
// position, 104 with its play state and 211 with the path of entry wParam (char*, in its own
// process, hidden entries counted). It counts the requests and the title reads it receives.
// - 2.x (the default): WINAMP.m3u in `folder`, an information line and a path line per entry
//   that is not hidden.
// - 5.x: Winamp.m3u and Winamp.m3u8 in its per-user playlist folder, information lines only for
//   entries whose details it has read, hidden entries left out, -1 for an empty playlist; it
//   answers, in its own process, 337/338 (the playlist folder as char*/wchar_t*), 335 (settings
//   folder), 125 (position) and 214 (path of entry wParam as wchar_t*) too.
// Text answers are pointers to buffers it keeps alive.
#include <windows.h>

#include <string>
#include <vector>

#include "host/player_profile.h"
#include "winamp_model/code_page_text.h"
#include "winamp_model/playlist_files.h"
#include "winamp_model/whole_file.h"

namespace sqtest {

class StandInPlayer {
public:
    // `folder` ends in a backslash; 2.x writes WINAMP.m3u there.
    StandInPlayer(const std::string& title, const std::string& folder, PlayerProfile profile = PlayerProfile::kWinamp2);
    ~StandInPlayer();
    StandInPlayer(const StandInPlayer&) = delete;
    StandInPlayer& operator=(const StandInPlayer&) = delete;

    void SetTitle(const std::string& title);
    void SetTitle(const std::wstring& title);  // the title as 5.x sets it, in Unicode
    // Destroys the window, as when the player closes.
    void Close();
    HWND hwnd() const { return hwnd_; }

    // 2.x: entry paths of the playlist; their information lines are made up. The positions in
    // `hidden` are hidden entries (stream curtains): answered by 211, left out of the file.
    std::vector<std::string> paths;
    std::vector<size_t> hidden;
    // 5.x: the playlist, its folder (ending in a backslash; answered to 337/338 and 335) and the
    // way paths are written. Requests the player does not know (337 before 5.11, 338 before 5.3)
    // are answered 0.
    std::vector<sim::PlaylistEntry> entries;
    std::wstring playlist_folder;
    sim::PathStyle path_style = sim::PathStyle::kFull;
    bool answers_337 = true;
    bool answers_338 = true;
    bool answers_entries = true;  // 211 and 214; a player without them leaves the playlist files to read
    int play_state = 1;  // 1 playing, 3 paused, 0 stopped

    long position = 0;
    bool fail_requests = false;  // answer -1 without writing the file

    int requests = 0;
    int folder_requests = 0;  // 337 and 338
    int title_reads = 0;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT WritePlaylistFile();
    LRESULT Answer(WPARAM wp, LPARAM lp);

    std::string folder_;
    PlayerProfile profile_;
    HWND hwnd_ = nullptr;
    // What the in-process answers point to, alive until the next answer of the same kind.
    std::string narrow_answer_;
    std::wstring wide_answer_;
};

}  // namespace sqtest
