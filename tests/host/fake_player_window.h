#pragma once
// The smallest stand-in for the player: a top-level window of the player's class whose title the
// test sets, playing (104 answers 1). Request 120 answers -1 (no playlist). As 5.x it takes its
// title in Unicode and answers, in-process, 337/338 with an empty playlist folder and 125 with 0.
#include <windows.h>

#include <string>

#include "host/player_profile.h"

namespace sqtest {

class FakePlayerWindow {
public:
    explicit FakePlayerWindow(const std::string& title, PlayerProfile profile = PlayerProfile::kWinamp2);
    ~FakePlayerWindow();
    FakePlayerWindow(const FakePlayerWindow&) = delete;
    FakePlayerWindow& operator=(const FakePlayerWindow&) = delete;

    void SetTitle(const std::string& title);
    void SetTitle(const std::wstring& title);
    HWND hwnd() const { return hwnd_; }

private:
    HWND hwnd_ = nullptr;
};

}  // namespace sqtest
