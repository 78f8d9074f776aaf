#include "ui/frm_main.h"
#include "ui/settings_store.h"

namespace sq {

void frmMain::LoadAccount() {
    try { SetControlText(IDC_TXT_PASS, settings::Get(settings::kPassword)); } catch (...) {}
    try { SetControlText(IDC_TXT_USER, settings::Get(settings::kUsername)); } catch (...) {}
}

void frmMain::txtUser_LostFocus() { settings::Save(settings::kUsername, ControlText(IDC_TXT_USER)); }

void frmMain::txtPass_LostFocus() { settings::Save(settings::kPassword, ControlText(IDC_TXT_PASS)); }

void frmMain::cmdSave_Click() {
    settings::Save(settings::kPassword, ControlText(IDC_TXT_PASS));
    settings::Save(settings::kUsername, ControlText(IDC_TXT_USER));
    // Hiding ends the modal loop of Configure; the window stays loaded and keeps ticking.
    ::ShowWindow(hwnd_, SW_HIDE);
}

}  // namespace sq
