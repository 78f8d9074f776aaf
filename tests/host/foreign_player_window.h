#pragma once
// A window of the player's class owned by another process (the simulator's --foreign-window),
// made after the test's own player window so that the system's lookup finds it first. It answers
// every pointer request with an address valid in no process and logs the requests it receives.
#include <windows.h>

#include <string>

namespace sqtest {

class ForeignPlayerWindow {
public:
    // Starts player_sim.exe from the test program's folder and waits for its window.
    ForeignPlayerWindow();
    ~ForeignPlayerWindow();
    ForeignPlayerWindow(const ForeignPlayerWindow&) = delete;
    ForeignPlayerWindow& operator=(const ForeignPlayerWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    // The requests it has received, one log line each.
    std::string Log() const;

private:
    std::wstring folder_;
    std::wstring log_path_;
    HANDLE process_ = nullptr;
    HWND hwnd_ = nullptr;
};

}  // namespace sqtest
