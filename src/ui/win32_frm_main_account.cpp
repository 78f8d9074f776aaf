#include "common/win32_debug_trace.h"
#include "common/win32_settings_store.h"
#include "ui/win32_frm_main.h"

namespace sq {

void frmMain::LoadAccount() {
    // Each field stands alone: one that cannot be filled leaves the other to be.
    try {
        SetControlText(IDC_TXT_PASS, settings::Get(kPassword));
    } catch (...) {
        TraceCaughtException(L"frmMain load", L"the stored password cannot be shown");
    }
    try {
        SetControlText(IDC_TXT_USER, settings::Get(kUsername));
    } catch (...) {
        TraceCaughtException(L"frmMain load", L"the stored user name cannot be shown");
    }
}

void frmMain::txtUser_LostFocus() { settings::Save(kUsername, ControlText(IDC_TXT_USER)); }

void frmMain::txtPass_LostFocus() { settings::Save(kPassword, ControlText(IDC_TXT_PASS)); }

void frmMain::cmdSave_Click() {
    settings::Save(kPassword, ControlText(IDC_TXT_PASS));
    settings::Save(kUsername, ControlText(IDC_TXT_USER));
    // Hiding ends the modal loop of Configure; the window stays loaded and keeps ticking.
    ::ShowWindow(hwnd_, SW_HIDE);
}

}  // namespace sq
