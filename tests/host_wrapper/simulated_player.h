#pragma once
// A stand-in player folder (player_sim.exe, a Plugins folder with the chosen files) and a run of
// the simulator in it, watched through its log file and its windows; and the simulator as
// another program's window of the player's class.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "submit/registry_override.h"
#include "support/win_test_support.h"

namespace sqtest {

class StandInPlayerFolder {
public:
    // Creates an empty folder with the simulator in it and an empty Plugins folder.
    explicit StandInPlayerFolder(const std::wstring& name);
    ~StandInPlayerFolder();
    StandInPlayerFolder(const StandInPlayerFolder&) = delete;
    StandInPlayerFolder& operator=(const StandInPlayerFolder&) = delete;

    // Copies a file of the build folder into Plugins, under `as` when given.
    bool AddPlugin(const std::wstring& built_file, const std::wstring& as = {});
    // Writes `bytes` into Plugins\name.
    bool WritePlugin(const std::wstring& name, const std::string& bytes);

    const std::wstring& path() const { return path_; }  // with a trailing backslash
    std::wstring plugins() const { return path_ + L"Plugins\\"; }

private:
    std::wstring path_;
    // The simulator registers itself as the player's file type; what was there comes back after.
    sqtest::RegistryOverride file_type_;
};

class SimulatorRun {
public:
    // Starts player_sim.exe of `folder` with `arguments` (its log goes to the folder's sim.log).
    SimulatorRun(const StandInPlayerFolder& folder, const std::wstring& arguments);
    ~SimulatorRun();
    SimulatorRun(const SimulatorRun&) = delete;
    SimulatorRun& operator=(const SimulatorRun&) = delete;

    bool started() const { return process_ != nullptr; }
    std::string Log() const;
    // Waits until the log holds `text`; false after `timeout_ms`.
    bool WaitForLog(const std::string& text, DWORD timeout_ms) const;
    // Waits for the end of the process and returns its exit code (-1 after `timeout_ms`).
    int Wait(DWORD timeout_ms);
    // When the player starts itself again (removing a plug-in), the run follows the new process
    // that its log names; false when none is named within `timeout_ms`.
    bool FollowRestart(DWORD timeout_ms);
    HWND PlayerWindow() const;

private:
    std::wstring log_path_;
    HANDLE process_ = nullptr;
};

// A window of the player's class owned by another process (the simulator's --foreign-window,
// as 5.x), made after the test's own player window so that the system's lookup finds it first.
// It answers every pointer request with an address valid in no process and logs every request.
class ForeignPlayerWindow {
public:
    ForeignPlayerWindow();
    ~ForeignPlayerWindow();
    ForeignPlayerWindow(const ForeignPlayerWindow&) = delete;
    ForeignPlayerWindow& operator=(const ForeignPlayerWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    std::string Log() const;

private:
    std::wstring folder_;
    std::wstring log_path_;
    HANDLE process_ = nullptr;
    HWND hwnd_ = nullptr;
};

// The texts of the simulator's plug-in list, read from its window.
std::vector<std::string> PluginListTexts(HWND player);

// A program started by a test; ended, if it still runs, when the object goes.
class StartedProcess {
public:
    explicit StartedProcess(std::wstring command_line, DWORD creation_flags = 0);
    ~StartedProcess();
    StartedProcess(const StartedProcess&) = delete;
    StartedProcess& operator=(const StartedProcess&) = delete;

    bool started() const { return process_ != nullptr; }
    DWORD id() const { return id_; }
    void End();

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// Visible top-level dialog windows of a process: its message boxes, an installer's wizard.
std::vector<HWND> VisibleDialogsOf(DWORD process);
// The texts of a dialog's labels: a message box's message.
std::wstring LabelTexts(HWND dialog);

}  // namespace sqtest
