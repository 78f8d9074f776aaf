#include "host_wrapper/simulated_player.h"

#include <cstdlib>

#include "common/win32_ansi_text.h"
#include "winamp_model/whole_file.h"
#include "support/win_test_support.h"

namespace sqtest {

StandInPlayerFolder::StandInPlayerFolder(const std::wstring& name)
    : path_(TempFolder(name)),
      file_type_(HKEY_CLASSES_ROOT, L"WinAmp.File\\shell\\play\\command", nullptr,
                 L"\"" + path_ + L"player_sim.exe\" \"%1\"") {
    ::CreateDirectoryW(plugins().c_str(), nullptr);
    ::CopyFileW((ProgramFolder() + L"player_sim.exe").c_str(), (path_ + L"player_sim.exe").c_str(), FALSE);
}

StandInPlayerFolder::~StandInPlayerFolder() { DeleteTree(path_); }

bool StandInPlayerFolder::AddPlugin(const std::wstring& built_file, const std::wstring& as) {
    return ::CopyFileW((ProgramFolder() + built_file).c_str(), (plugins() + (as.empty() ? built_file : as)).c_str(),
                       FALSE) != FALSE;
}

bool StandInPlayerFolder::WritePlugin(const std::wstring& name, const std::string& bytes) {
    return sim::WriteWholeFile(plugins() + name, bytes);
}

SimulatorRun::SimulatorRun(const StandInPlayerFolder& folder, const std::wstring& arguments)
    : log_path_(folder.path() + L"sim.log") {
    std::wstring line = L"\"" + folder.path() + L"player_sim.exe\" --log \"" + log_path_ + L"\" " + arguments;
    std::vector<wchar_t> buffer(line.begin(), line.end());
    buffer.push_back(L'\0');
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (::CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.path().c_str(), &si, &pi)) {
        ::CloseHandle(pi.hThread);
        process_ = pi.hProcess;
    }
}

SimulatorRun::~SimulatorRun() {
    if (!process_) return;
    if (::WaitForSingleObject(process_, 0) != WAIT_OBJECT_0) ::TerminateProcess(process_, 1);
    ::CloseHandle(process_);
}

std::string SimulatorRun::Log() const { return ReadWholeFile(log_path_); }

bool SimulatorRun::WaitForLog(const std::string& text, DWORD timeout_ms) const {
    return PumpMessagesUntil([&] { return Log().find(text) != std::string::npos; }, timeout_ms);
}

int SimulatorRun::Wait(DWORD timeout_ms) {
    if (!process_) return -1;
    if (::WaitForSingleObject(process_, timeout_ms) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    ::GetExitCodeProcess(process_, &code);
    return static_cast<int>(code);
}

bool SimulatorRun::FollowRestart(DWORD timeout_ms) {
    const std::string marker = "player: restarting as process ";
    if (!WaitForLog(marker, timeout_ms)) return false;
    const std::string log = Log();
    const DWORD id = std::strtoul(log.c_str() + log.find(marker) + marker.size(), nullptr, 10);
    HANDLE restarted = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, id);
    if (!restarted) return false;
    ::CloseHandle(process_);
    process_ = restarted;
    return true;
}

HWND SimulatorRun::PlayerWindow() const { return ::FindWindowW(L"Winamp v1.x", nullptr); }

namespace {

struct WindowSearch {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindPlayerWindowOf(HWND hwnd, LPARAM search) {
    auto* s = reinterpret_cast<WindowSearch*>(search);
    DWORD process = 0;
    wchar_t name[16] = {};
    ::GetWindowThreadProcessId(hwnd, &process);
    if (process == s->process && ::GetClassNameW(hwnd, name, 16) && lstrcmpW(name, L"Winamp v1.x") == 0) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

ForeignPlayerWindow::ForeignPlayerWindow() : folder_(TempFolder(L"sq_foreign")), log_path_(folder_ + L"foreign.log") {
    std::wstring line = L"\"" + ProgramFolder() + L"player_sim.exe\" --foreign-window --profile 5 --exit-after 600 --log \"" +
                        log_path_ + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
    ::CloseHandle(pi.hThread);
    process_ = pi.hProcess;
    // Up once its song shows: the window is there before its caption.
    WindowSearch search{pi.dwProcessId, nullptr};
    PumpMessagesUntil(
        [&] {
            if (Log().find("foreign window: up") == std::string::npos) return false;
            ::EnumWindows(FindPlayerWindowOf, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        20000);
    hwnd_ = search.found;
}

ForeignPlayerWindow::~ForeignPlayerWindow() {
    if (!process_) return;
    ::TerminateProcess(process_, 0);
    ::WaitForSingleObject(process_, 10000);
    ::CloseHandle(process_);
    DeleteTree(folder_);
}

std::string ForeignPlayerWindow::Log() const { return ReadWholeFile(log_path_); }

std::vector<std::string> PluginListTexts(HWND player) {
    // Asked for as wide text: that is the form in which the list's text crosses processes.
    std::vector<std::string> texts;
    HWND list = ::GetDlgItem(player, 200);
    const LRESULT count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[512] = {};
        const LRESULT length = ::SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        if (length < 0 || length >= 512) continue;
        ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        texts.push_back(sq::AnsiFromWide(text, static_cast<size_t>(lstrlenW(text))));
    }
    return texts;
}

StartedProcess::StartedProcess(std::wstring command_line, DWORD creation_flags) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(nullptr, &command_line[0], nullptr, nullptr, FALSE, creation_flags, nullptr, nullptr, &si, &pi))
        return;
    ::CloseHandle(pi.hThread);
    process_ = pi.hProcess;
    id_ = pi.dwProcessId;
}

StartedProcess::~StartedProcess() {
    End();
    if (process_) ::CloseHandle(process_);
}

void StartedProcess::End() {
    if (!process_ || ::WaitForSingleObject(process_, 0) == WAIT_OBJECT_0) return;
    ::TerminateProcess(process_, 1);
    ::WaitForSingleObject(process_, 10000);
}

namespace {

bool HasClass(HWND hwnd, const wchar_t* name) {
    wchar_t found[32] = {};
    ::GetClassNameW(hwnd, found, 32);
    return lstrcmpiW(found, name) == 0;
}

struct DialogSearch {
    DWORD process;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND hwnd, LPARAM search) {
    auto* s = reinterpret_cast<DialogSearch*>(search);
    DWORD process = 0;
    ::GetWindowThreadProcessId(hwnd, &process);
    if (process == s->process && ::IsWindowVisible(hwnd) && HasClass(hwnd, L"#32770")) s->found.push_back(hwnd);
    return TRUE;
}

BOOL CALLBACK AppendLabelText(HWND child, LPARAM text) {
    if (HasClass(child, L"Static")) *reinterpret_cast<std::wstring*>(text) += WindowText(child);
    return TRUE;
}

}  // namespace

std::vector<HWND> VisibleDialogsOf(DWORD process) {
    DialogSearch search{process, {}};
    ::EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring LabelTexts(HWND dialog) {
    std::wstring text;
    ::EnumChildWindows(dialog, AppendLabelText, reinterpret_cast<LPARAM>(&text));
    return text;
}

}  // namespace sqtest
