#include "host/foreign_player_window.h"

#include "support/win_test_support.h"

namespace sqtest {
namespace {

struct WindowSearch {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindWindowOf(HWND hwnd, LPARAM search) {
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
    std::wstring line = L"\"" + ProgramFolder() + L"player_sim.exe\" --foreign-window --exit-after 600 --log \"" +
                        log_path_ + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
    ::CloseHandle(pi.hThread);
    process_ = pi.hProcess;
    WindowSearch search{pi.dwProcessId, nullptr};
    PumpMessagesUntil(
        [&] {
            ::EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&search));
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

}  // namespace sqtest
