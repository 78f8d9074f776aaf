#pragma once
// The smallest stand-in for the player: a top-level window of the player's class whose title the
// test sets. Request 120 answers -1 (no playlist).
#include <windows.h>

#include <string>

namespace sqtest {

class FakePlayerWindow {
public:
    explicit FakePlayerWindow(const std::string& title);
    ~FakePlayerWindow();
    FakePlayerWindow(const FakePlayerWindow&) = delete;
    FakePlayerWindow& operator=(const FakePlayerWindow&) = delete;

    void SetTitle(const std::string& title);
    HWND hwnd() const { return hwnd_; }

private:
    HWND hwnd_ = nullptr;
};

}  // namespace sqtest
