#include "ui/win32_submission_links.h"

#include "common/win32_ansi_text.h"
#include "common/win32_message_pump.h"
#include "common/win32_settings_store.h"
#include "ui/win32_frm_main.h"
#include "ui/win32_shell_open.h"

namespace sq {

void FormLinks::ShowResponse(const std::string& text) { form_.SetControlText(IDC_LBL_RESPONSE, text); }

void FormLinks::ShowResponseTime(const std::string& stamp) { form_.SetControlText(IDC_LBL_LAST_TIME, stamp); }

void FormLinks::ShowConnection(const std::string& text) { form_.SetControlText(IDC_LBL_CONNECTED, text); }

void FormLinks::OpenAddress(const std::string& address) { ShellOpen(address, form_.hwnd()); }

void FormLinks::Show(const std::string& text) {
    // Owned by the control window while the user has it open, so the box comes up in front of it.
    HWND owner = form_.hwnd() && ::IsWindowVisible(form_.hwnd()) ? form_.hwnd() : nullptr;
    ::MessageBoxW(owner, WideFromAnsi(text).c_str(), L"Sonoquill", MB_OK);
}

std::string StoredSettings::Read(const char* key) { return settings::Get(key); }

void ThreadEventLoop::DoEvents() { sq::DoEvents(); }

void ThreadEventLoop::WaitForEvents() { WaitForEventsAndDispatch(); }

bool ThreadEventLoop::QuitRequested() const { return sq::QuitRequested(); }

LocalTime LocalClock::Now() const {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return LocalTime{now.wHour, now.wMinute};
}

}  // namespace sq
