#pragma once
// How the submission run reaches the rest of the plug-in on Windows: the control window (its
// labels, its message boxes and the shell it opens addresses from), the settings store, the
// thread's message loop and the local clock.
#include <windows.h>

#include "submit/submission_ports.h"
#include "submit/time_stamp.h"

namespace sq {

class frmMain;

class FormLinks final : public StatusDisplay, public AddressOpener, public MessageBoxes {
public:
    explicit FormLinks(frmMain& form) : form_(form) {}
    void ShowResponse(const std::string& text) override;
    void ShowResponseTime(const std::string& stamp) override;
    void ShowConnection(const std::string& text) override;
    void OpenAddress(const std::string& address) override;
    void Show(const std::string& text) override;

private:
    frmMain& form_;
};

class StoredSettings final : public SettingsReader {
public:
    std::string Read(const char* key) override;
};

class ThreadEventLoop final : public EventLoop {
public:
    void DoEvents() override;
    void WaitForEvents() override;
    bool QuitRequested() const override;
};

class LocalClock final : public Clock {
public:
    LocalTime Now() const override;
};

}  // namespace sq
