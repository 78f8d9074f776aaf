#pragma once
// How the submission run reaches the rest of the plug-in on Windows: the control window's labels
// and message boxes, the player's own tags, the settings store, the shell, the thread's message
// loop, the local clock and the debugger trace.
#include <windows.h>

#include "player/winamp_mod.h"
#include "submit/submission_ports.h"
#include "submit/time_stamp.h"

namespace sq {

class frmMain;

class LabelStatusDisplay final : public StatusDisplay {
public:
    explicit LabelStatusDisplay(frmMain& form) : form_(form) {}
    void ShowResponse(const std::string& text) override;
    void ShowResponseTime(const std::string& stamp) override;
    void ShowConnection(const std::string& text) override;

private:
    frmMain& form_;
};

class WinAmpPlayerTags final : public PlayerTagSource {
public:
    explicit WinAmpPlayerTags(WinAmpMod& player) : player_(player) {}
    PlayerTags Read(const PlayingFile& file) override { return player_.GetPlayerTags(file); }

private:
    WinAmpMod& player_;
};

class StoredSettings final : public SettingsReader {
public:
    std::string Read(const char* key) override;
};

class ShellAddressOpener final : public AddressOpener {
public:
    explicit ShellAddressOpener(frmMain& form) : form_(form) {}
    void OpenAddress(const std::string& address) override;

private:
    frmMain& form_;
};

class ThreadEventLoop final : public EventLoop {
public:
    void DoEvents() override;
    void WaitForEvents() override;
    bool QuitRequested() const override;
};

class WindowMessageBoxes final : public MessageBoxes {
public:
    explicit WindowMessageBoxes(frmMain& form) : form_(form) {}
    void Show(const std::string& text) override;

private:
    frmMain& form_;
};

class LocalClock final : public Clock {
public:
    LocalTime Now() const override;
};

class DebuggerTrace final : public FailureTrace {
public:
    void Trace(const wchar_t* what) noexcept override;
};

}  // namespace sq
