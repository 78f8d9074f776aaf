// frmMain's window itself, and the one file that sees all of its parts: it makes the form with
// everything the form keeps beside itself, and routes each message to the part that handles it.
#include "ui/win32_frm_main.h"

#include "common/win32_ansi_text.h"
#include "common/win32_debug_trace.h"
#include "common/win32_message_pump.h"
#include "common/win32_module.h"
#include "common/scope_exit.h"
#include "common/win32_window_class.h"
#include "common/win32_window_text.h"
#include "ui/win32_frm_main_folders.h"
#include "ui/win32_frm_main_layout.h"
#include "ui/win32_frm_main_submission.h"

namespace sq {
namespace {

frmMain* g_frmMain = nullptr;

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME;

WNDCLASSEXW MainWindowClass(WNDPROC proc) {
    WNDCLASSEXW wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hIcon = ::LoadIconW(ModuleInstance(), MAKEINTRESOURCEW(1));
    wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kMainWindowClass;
    return wc;
}

}  // namespace

frmMain::frmMain() = default;

frmMain& frmMain::Instance() {
    if (!g_frmMain) g_frmMain = new frmMain();
    return *g_frmMain;
}

HRESULT frmMain::Load() {
    if (hwnd_) return S_OK;
    if (!RegisterModuleWindowClass(MainWindowClass(&frmMain::WindowProc))) return HRESULT_FROM_WIN32(::GetLastError());

    // The client area is the layout's; the outer size follows from the window's style.
    RECT rc = PixelRect(TwipsConverter(ScreenDpi()), ContainerPlace(Container::Window));
    ::AdjustWindowRectEx(&rc, kStyle, FALSE, kExStyle);
    const std::wstring title = WideFromAnsi("Sonoquill.net Song Updating Utility");
    HWND hwnd = ::CreateWindowExW(kExStyle, kMainWindowClass, title.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                  rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr, ModuleInstance(), this);
    if (!hwnd) return HRESULT_FROM_WIN32(::GetLastError());
    // The window procedure and the timer live in this DLL: it must stay loaded from now on.
    ModuleLock::Add();
    // Tab, the arrow keys and mnemonics move through the controls, as in a dialog.
    SetDialogWindow(hwnd);
    RunLoadSequence();
    return S_OK;
}

void frmMain::RunLoadSequence() {
    if (loaded_) return;
    loaded_ = true;
    // Each step stands alone: a failing one is skipped and the next still runs.
    LoadAccount();
    report_.countdown().Reset();
    try {
        OpenFolderListAtStoredFolder();
    } catch (...) {
        TraceCaughtException(L"frmMain load", L"the folder list cannot be opened at the stored folder");
    }
    ::SetTimer(hwnd_, kCountDownTimerId, kCountDownIntervalMs, nullptr);
}

HRESULT frmMain::ShowModal() {
    if (HRESULT hr = Load(); FAILED(hr)) return hr;
    if (showing_modally_) return S_OK;
    showing_modally_ = true;
    ScopeExit done([this] { showing_modally_ = false; });
    ::ShowWindow(hwnd_, SW_SHOWNORMAL);
    ::SetForegroundWindow(hwnd_);
    if (HWND first = ::GetNextDlgTabItem(hwnd_, nullptr, FALSE)) ::SetFocus(first);
    RunModalLoopWhileVisible(hwnd_);
    return S_OK;
}

LRESULT CALLBACK frmMain::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    frmMain* self = nullptr;
    if (msg == WM_NCCREATE) {
        self = static_cast<frmMain*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<frmMain*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self) return ::DefWindowProcW(hwnd, msg, wp, lp);
    // Nothing may unwind into the player's message loop. The tick, and the labels it repaints,
    // come every second: a failure among them is traced once.
    try {
        return self->HandleMessage(msg, wp, lp);
    } catch (...) {
        TraceCaughtExceptionOnce(L"frmMain window procedure", L"a message cannot be handled");
        return ::DefWindowProcW(hwnd, msg, wp, lp);
    }
}

LRESULT frmMain::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        CreateControls();
        return 0;
    case WM_PAINT:
        if (OnPaint()) return 0;
        break;
    case WM_MEASUREITEM:
        if (OnMeasureItem(wp, reinterpret_cast<MEASUREITEMSTRUCT*>(lp))) return TRUE;
        break;
    case WM_DRAWITEM:
        if (OnDrawItem(wp, reinterpret_cast<const DRAWITEMSTRUCT*>(lp))) return TRUE;
        break;
    case WM_CTLCOLORSTATIC:
        if (HBRUSH brush = OnCtlColorStatic(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp)))
            return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_SHOWWINDOW:
        // The folder editor's drives and folders are read at the first show, not at the load.
        if (wp && folders_) folders_->ReadOnce();
        break;  // the window still shows as usual
    case WM_TIMER:
        if (wp == kCountDownTimerId) {
            tmrCountDown_Timer();
            return 0;
        }
        break;
    case WM_COMMAND:
        OnCommand(LOWORD(wp), HIWORD(wp));
        return 0;
    case WM_CLOSE:
        // The window is never closed or unloaded: only "&Save" takes it off the screen.
        return 0;
    case WM_SYSCOMMAND:
        if ((wp & 0xFFF0) == SC_CLOSE) return 0;
        break;
    case WM_DESTROY:
        hwnd_ = nullptr;
        return 0;
    default:
        break;
    }
    return ::DefWindowProcW(hwnd_, msg, wp, lp);
}

void frmMain::OnCommand(int id, int code) {
    // What each control's notification does. Enter arrives as IDOK and presses the button that
    // has the focus, as it does on any form; elsewhere the window has no default button and Enter
    // does nothing. Escape (IDCANCEL) would end a dialog; this window refuses to close, so it is
    // not listed.
    static constexpr struct {
        int id;
        int code;
        void (frmMain::*handler)();
    } kRoutes[] = {
        {IDC_CMD_SAVE, BN_CLICKED, &frmMain::cmdSave_Click},
        {IDC_CMD_EXCLUDE, BN_CLICKED, &frmMain::cmdExclude_Click},
        {IDC_CMD_OK, BN_CLICKED, &frmMain::cmdOk_Click},
        {IDC_CMD_REMOVE, BN_CLICKED, &frmMain::cmdRemove_Click},
        {IDC_CMD_CANCEL, BN_CLICKED, &frmMain::cmdCancel_Click},
        {IDC_TXT_USER, EN_KILLFOCUS, &frmMain::txtUser_LostFocus},
        {IDC_TXT_PASS, EN_KILLFOCUS, &frmMain::txtPass_LostFocus},
        {IDC_LST_DRIVE, CBN_SELCHANGE, &frmMain::lstDrive_Change},
        {IDC_LST_FOLDERS, LBN_DBLCLK, &frmMain::lstFolders_DblClick},
        {IDOK, BN_CLICKED, &frmMain::PressFocusedButton},
    };
    for (const auto& route : kRoutes) {
        if (route.id == id && route.code == code) {
            (this->*route.handler)();
            return;
        }
    }
}

void frmMain::PressFocusedButton() {
    HWND focus = ::GetFocus();
    const ControlLayout* row = focus && ::GetParent(focus) == hwnd_ ? FindControlLayout(::GetDlgCtrlID(focus)) : nullptr;
    if (row && row->kind == ControlKind::Button) ::SendMessageW(focus, BM_CLICK, 0, 0);
}

HWND frmMain::Control(int id) const {
    if (!hwnd_) return nullptr;
    HWND control = ::GetDlgItem(hwnd_, id);
    if (!control) {
        const ControlLayout* row = FindControlLayout(id);
        if (row && InFolderEditor(*row)) {
            CreateFolderEditor();
            control = ::GetDlgItem(hwnd_, id);
        }
    }
    return control;
}

std::string frmMain::ControlText(int id) const {
    HWND control = Control(id);
    return control ? AnsiFromWide(WindowText(control)) : std::string();
}

void frmMain::SetControlText(int id, const std::string& text) {
    // The countdown refreshes lblTime every second, and on a steady title with the same text: a
    // write would cost the player's thread a window update, and a pass through every hook on it.
    if (id == IDC_LBL_TIME) {
        if (text == time_label_) return;
        time_label_ = text;
    }
    if (HWND control = Control(id)) ::SetWindowTextW(control, WideFromAnsi(text).c_str());
}

}  // namespace sq
