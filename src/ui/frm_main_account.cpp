#include "ui/frm_main.h"
#include "common/settings_store.h"

namespace sq {

void frmMain::LoadAccount() {
    try { SetControlText(IDC_TXT_PASS, settings::Get(kPassword)); } catch (...) {}
    try { SetControlText(IDC_TXT_USER, settings::Get(kUsername)); } catch (...) {}
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
