#include "ui/frm_main_layout.h"

#include "common/ansi_text.h"
#include "plugin/module.h"

namespace sq {
namespace {

struct ControlSpec {
    int id;
    const wchar_t* window_class;
    const char* text;
    DWORD style;
    int left, top, width, height;  // twips, in the window's client area
};

constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
constexpr DWORD kEdit = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

// In tab order for the input controls (creation order is the tab order).
const ControlSpec kControls[] = {
    {IDC_TXT_USER, L"EDIT", "", kEdit, 1200, 1320, 4335, 285},
    {IDC_TXT_PASS, L"EDIT", "", kEdit | ES_PASSWORD, 1200, 1680, 4335, 285},
    {IDC_CMD_SAVE, L"BUTTON", "&Save", kButton, 4200, 4440, 1335, 495},
    {IDC_CMD_EXCLUDE, L"BUTTON", "&Excludes Folder", kButton, 2520, 4440, 1575, 495},
    {IDC_LBL_CONNECTED, L"STATIC", "Not Connected.", kLabel, 1440, 2640, 3975, 255},
    {IDC_LBL_TIME, L"STATIC", "50 sec", kLabel, 1440, 3000, 3975, 255},
    {IDC_LBL_RESPONSE, L"STATIC", "No data sent yet.", kLabel, 1440, 3360, 3975, 495},
    {IDC_LBL_LAST_TIME, L"STATIC", "No time reported.", kLabel, 1440, 3960, 3975, 255},
};

}  // namespace

int ScreenDpi() {
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

void frmMain::CreateControls() {
    layout_ = std::make_unique<Layout>();
    const TwipsConverter twips(ScreenDpi());
    for (const ControlSpec& spec : kControls) {
        HWND control = ::CreateWindowExW(0, spec.window_class, WideFromAnsi(spec.text).c_str(), spec.style,
                                         twips.ToPixels(spec.left), twips.ToPixels(spec.top), twips.ToPixels(spec.width),
                                         twips.ToPixels(spec.height), hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)),
                                         ModuleInstance(), nullptr);
        if (control) ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    }
}

bool frmMain::HandleLayoutMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

}  // namespace sq
