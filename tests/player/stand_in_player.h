#pragma once
// A stand-in for the player as the plug-in sees it from outside: a top-level window of class
// "Winamp v1.x" whose title the test sets, answering request 120 by writing WINAMP.m3u into its
// folder (header line, then an information line and a path line per entry, CR LF) and returning
// the current position. It counts the requests and the title reads it receives.
#include <windows.h>

#include <string>
#include <vector>

namespace sqtest {

class StandInPlayer {
public:
    // `folder` ends in a backslash; WINAMP.m3u is written there.
    StandInPlayer(const std::string& title, const std::string& folder);
    ~StandInPlayer();
    StandInPlayer(const StandInPlayer&) = delete;
    StandInPlayer& operator=(const StandInPlayer&) = delete;

    void SetTitle(const std::string& title);
    // Destroys the window, as when the player closes.
    void Close();
    HWND hwnd() const { return hwnd_; }

    // Entry paths of the playlist; their information lines are made up.
    std::vector<std::string> paths;
    long position = 0;
    bool fail_requests = false;  // answer -1 without writing the file

    int requests = 0;
    int title_reads = 0;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT WritePlaylistFile();

    std::string folder_;
    HWND hwnd_ = nullptr;
};

}  // namespace sqtest
