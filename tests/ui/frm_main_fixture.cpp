#include "frm_main_fixture.h"

#include <shlobj.h>

#include <deque>
#include <utility>

#include "common/win32_message_pump.h"

namespace uitest {

void MakeFolders(const std::wstring& path) { ::SHCreateDirectoryExW(nullptr, path.c_str(), nullptr); }

void MakeTestFolders() {
    const std::wstring root = kTestRoot;
    for (const wchar_t* sub : {L"\\Music\\Ambient", L"\\Music\\Live\\Encores", L"\\Music\\Studio", L"\\Start"})
        MakeFolders(root + sub);
    // A file among the folders must not show up in the folder list.
    HANDLE file = ::CreateFileW((root + L"\\Music\\song.mp3").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeout_ms) {
    const ULONGLONG end = ::GetTickCount64() + timeout_ms;
    for (;;) {
        sq::DoEvents();
        if (done()) return true;
        const ULONGLONG now = ::GetTickCount64();
        if (now >= end) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now < 20 ? end - now : 20), QS_ALLINPUT);
    }
}

void PumpFor(DWORD ms) { PumpUntil([] { return false; }, ms); }

namespace {

LPARAM Point(int x, int y) { return MAKELPARAM(x, y); }

LPARAM CentreOf(HWND control) {
    RECT rc{};
    ::GetClientRect(control, &rc);
    return Point((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
}

LPARAM CentreOfItem(HWND list, int index) {
    RECT rc{};
    ::SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rc));
    return Point(rc.left + 20, (rc.top + rc.bottom) / 2);
}

}  // namespace

void Click(HWND control) {
    const LPARAM at = CentreOf(control);
    ::SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(control, WM_LBUTTONUP, 0, at);
}

void ClickItem(HWND list, int index) {
    ::SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    const LPARAM at = CentreOfItem(list, index);
    ::SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(list, WM_LBUTTONUP, 0, at);
}

void DoubleClickItem(HWND list, int index) {
    ::SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    const LPARAM at = CentreOfItem(list, index);
    ::SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(list, WM_LBUTTONUP, 0, at);
    ::SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    ::SendMessageW(list, WM_LBUTTONUP, 0, at);
}

void PressKeys(const std::vector<WORD>& keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = key;
        inputs.push_back(in);
    }
    for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = *it;
        in.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(in);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

std::vector<std::wstring> ListItems(HWND list) {
    std::vector<std::wstring> items;
    const LRESULT count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring text(static_cast<size_t>(::SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0)) + 1, L'\0');
        const LRESULT got = ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(got > 0 ? static_cast<size_t>(got) : 0);
        items.push_back(text);
    }
    return items;
}

std::vector<std::wstring> ComboItems(HWND combo) {
    std::vector<std::wstring> items;
    const LRESULT count = ::SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring text(static_cast<size_t>(::SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0)) + 1, L'\0');
        const LRESULT got = ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(got > 0 ? static_cast<size_t>(got) : 0);
        items.push_back(text);
    }
    return items;
}

namespace {

std::deque<std::function<void()>> g_steps;
UINT_PTR g_step_timer = 0;

void CALLBACK RunNextStep(HWND, UINT, UINT_PTR, DWORD) {
    if (g_steps.empty()) {
        ::KillTimer(nullptr, g_step_timer);
        g_step_timer = 0;
        return;
    }
    auto step = std::move(g_steps.front());
    g_steps.pop_front();
    if (g_steps.empty()) {
        ::KillTimer(nullptr, g_step_timer);
        g_step_timer = 0;
    }
    step();
}

}  // namespace

void RunStepsFromTimer(std::vector<std::function<void()>> steps, UINT gap_ms) {
    for (auto& step : steps) g_steps.push_back(std::move(step));
    if (!g_step_timer) g_step_timer = ::SetTimer(nullptr, 0, gap_ms, RunNextStep);
}

}  // namespace uitest
