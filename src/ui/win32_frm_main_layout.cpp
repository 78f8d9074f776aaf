#include "ui/win32_frm_main_layout.h"

#include <cwchar>
#include <iterator>

#include "common/win32_ansi_text.h"
#include "common/win32_gdi_scope.h"
#include "common/win32_module.h"
#include "common/win32_window_text.h"
#include "ui/win32_folder_list.h"

namespace sq {
namespace {

using K = ControlKind;
using C = Container;
using T = Colour;

// Tab order first (txtUser ... cmdRemove), then what the user only looks at. The folder editor's
// members come before its frame, and the frame before the status area it lies over. The drawn
// shapes stand beside what they belong to, and take no part in either order. A constant of the
// DLL's image: nothing is built as the DLL loads.
constexpr ControlLayout kControls[] = {
    {IDC_TXT_USER, K::TextBox, C::Window, "", false, T::Default, false, {1200, 1320, 4335, 285}},
    {IDC_TXT_PASS, K::PasswordBox, C::Window, "", false, T::Default, false, {1200, 1680, 4335, 285}},
    {IDC_CMD_SAVE, K::Button, C::Window, "&Save", true, T::Default, false, {4200, 4440, 1335, 495}},
    {IDC_LST_DRIVE, K::DriveList, C::FolderEx, "", false, T::Default, false, {120, 720, 2655, 315}},
    {IDC_LST_FOLDERS, K::FolderList, C::FolderEx, "", false, T::Default, false, {120, 1080, 2655, 990}},
    {IDC_CMD_OK, K::Button, C::FolderEx, "&Update Folder Settings", false, T::Default, false, {3240, 840, 1695, 615}},
    // shpNotice: the red box around "&Update Folder Settings".
    {kDrawn, K::Outline, C::FolderEx, "", false, T::Red, false, {3120, 720, 1935, 855}},
    {IDC_CMD_CANCEL, K::Button, C::FolderEx, "&Cancel", false, T::Default, false, {4080, 1680, 975, 375}},
    {IDC_CMD_EXCLUDE, K::Button, C::Window, "&Excludes Folder", true, T::Default, false, {2520, 4440, 1575, 495}},
    {IDC_CMD_REMOVE, K::Button, C::FolderEx, "&Remove", false, T::Default, false, {3120, 1680, 975, 375}},
    {IDC_LBL_INFO, K::Label, C::FolderEx,
     "Select a folder. If a song is played from this folder Sonoquill will ignore it.", false, T::Default, false,
     {120, 240, 5175, 375}},
    {IDC_FRA_FOLDER_EX, K::Frame, C::Window, "", false, T::Default, false, {120, 2040, 5415, 2310}},
    // The banner: logo and sign-up notice over the white holder.
    {IDC_IMG_LOGO, K::Image, C::TopHolder, "", false, T::Default, false, {120, 120, 2490, 615}},
    {IDC_LBL_NOTICE0, K::Label, C::TopHolder, "To get a free account go to http://www.sonoquill.net and signup today!",
     false, T::Black, false, {2880, 120, 2655, 615}},
    // lneDivide, between the logo and the notice, the banner's whole height.
    {kDrawn, K::Rule, C::TopHolder, "", false, T::WindowText, false, {2760, 0, 0, 855}},
    {IDC_PCT_TOP_HOLDER, K::Picture, C::Window, "", false, T::Default, false, {0, 0, 5640, 855}},
    // Line1, under the banner and across the whole width.
    {kDrawn, K::Rule, C::Window, "", false, T::WindowText, false, {0, 855, 5640, 0}},
    // "enter you": kept as the window has always shown it.
    {IDC_LBL_NOTICE1, K::Label, C::Window, "Please enter you Sonoquill.net account information.", false, T::Black, true,
     {120, 960, 5415, 375}},
    // The red asterisks lie over the captions' empty right ends, the text boxes over both.
    {IDC_LBL_REQUIRED0, K::Label, C::Window, "*", true, T::Red, false, {960, 1320, 255, 255}},
    {IDC_LBL_USERNAME, K::Label, C::Window, "Username:", false, T::Default, false, {120, 1320, 1215, 255}},
    {IDC_LBL_REQUIRED1, K::Label, C::Window, "*", true, T::Red, false, {960, 1680, 255, 255}},
    {IDC_LBL_PASSWORD, K::Label, C::Window, "Password:", false, T::Default, false, {120, 1680, 1215, 255}},
    {IDC_LBL_STATUS0, K::Label, C::Window, "Sonoquill Client Status:", false, T::Default, false, {120, 2280, 5295, 255}},
    {IDC_LBL_STATUS1, K::Label, C::Window, "Connection:", false, T::Default, false, {120, 2640, 1215, 255}},
    {IDC_LBL_CONNECTED, K::Label, C::Window, "Not Connected.", true, T::Default, false, {1440, 2640, 3975, 255}},
    {IDC_LBL_STATUS2, K::Label, C::Window, "Sending in:", false, T::Default, false, {120, 3000, 1215, 255}},
    {IDC_LBL_TIME, K::Label, C::Window, "50 sec", true, T::Default, false, {1440, 3000, 3975, 255}},
    {IDC_LBL_STATUS3, K::Label, C::Window, "Last Response:", false, T::Default, false, {120, 3360, 1215, 255}},
    {IDC_LBL_RESPONSE, K::Label, C::Window, "No data sent yet.", true, T::Default, false, {1440, 3360, 3975, 495}},
    {IDC_LBL_STATUS4, K::Label, C::Window, "Last Msg Time:", false, T::Default, false, {120, 3960, 1215, 255}},
    {IDC_LBL_LAST_TIME, K::Label, C::Window, "No time reported.", true, T::Default, false, {1440, 3960, 3975, 255}},
    // The etched separators above and below the status area: a shadow line, a light one under it.
    {kDrawn, K::Rule, C::Window, "", false, T::Shadow, false, {120, 2145, 5400, 0}},
    {kDrawn, K::Rule, C::Window, "", false, T::Highlight, false, {120, 2160, 5400, 0}},
    {kDrawn, K::Rule, C::Window, "", false, T::Shadow, false, {120, 4320, 5400, 0}},
    {kDrawn, K::Rule, C::Window, "", false, T::Highlight, false, {120, 4335, 5400, 0}},
};

// The window's client area, which every container and control lies within.
constexpr TwipsRect kClient = {0, 0, 5640, 5070};

struct WindowKind {
    const wchar_t* window_class;
    DWORD style;
    DWORD ex_style;
};

// Every child clips its siblings, so a status label that changes its text under the open folder
// editor does not paint over it.
constexpr DWORD kChild = WS_CHILD | WS_CLIPSIBLINGS;

WindowKind KindOf(const ControlLayout& row) {
    switch (row.kind) {
    case K::TextBox:
        return {L"EDIT", kChild | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case K::PasswordBox:
        return {L"EDIT", kChild | WS_TABSTOP | ES_AUTOHSCROLL | ES_PASSWORD, WS_EX_CLIENTEDGE};
    case K::Button:
        // Drawn by the window, so that a long caption wraps over two lines the same way everywhere.
        return {L"BUTTON", kChild | WS_TABSTOP | BS_OWNERDRAW, 0};
    case K::DriveList:
        return {L"COMBOBOX", kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS, 0};
    case K::FolderList:
        return {L"LISTBOX",
                kChild | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
                WS_EX_CLIENTEDGE};
    case K::Picture:
    case K::Image:
    case K::Frame:
        return {L"STATIC", kChild | SS_OWNERDRAW, 0};
    case K::Label:
    default:
        return {L"STATIC", kChild | SS_NOPREFIX | (row.centred ? SS_CENTER : SS_LEFT), 0};
    }
}

int CALLBACK NoteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool FaceInstalled(const wchar_t* face) {
    const WindowDc screen(nullptr);
    if (!screen) return false;
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    std::wcsncpy(query.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    ::EnumFontFamiliesExW(screen.get(), &query, &NoteFace, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

// Tahoma 8.25 pt; where Tahoma is missing, the face the system uses for its dialogs.
HFONT MakeFont(int dpi, bool bold) {
    LOGFONTW font{};
    font.lfHeight = -::MulDiv(825, dpi, 7200);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    if (FaceInstalled(L"Tahoma")) {
        std::wcscpy(font.lfFaceName, L"Tahoma");
    } else {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
            std::wcscpy(font.lfFaceName, metrics.lfMessageFont.lfFaceName);
        else
            std::wcscpy(font.lfFaceName, L"MS Shell Dlg");
    }
    return ::CreateFontIndirectW(&font);
}

// A drop-down list sizes its closed height from its font; bring it to the height in the table.
void FitComboHeight(HWND combo, int wanted) {
    RECT rc{};
    ::GetWindowRect(combo, &rc);
    const int now = rc.bottom - rc.top;
    const LRESULT item = ::SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    if (item == CB_ERR || now == wanted) return;
    const LRESULT target = item + (wanted - now);
    if (target > 0) ::SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), target);
}

}  // namespace

ControlTable MainWindowControls() { return {std::begin(kControls), std::end(kControls)}; }

bool IsDrawn(const ControlLayout& row) { return row.kind == K::Rule || row.kind == K::Outline; }

bool InFolderEditor(const ControlLayout& row) { return row.container == C::FolderEx || row.id == IDC_FRA_FOLDER_EX; }

const ControlLayout* FindControlLayout(int id) {
    for (const ControlLayout& row : kControls)
        if (row.id == id && !IsDrawn(row)) return &row;
    return nullptr;
}

TwipsRect ContainerPlace(Container container) {
    switch (container) {
    case C::TopHolder:
        return FindControlLayout(IDC_PCT_TOP_HOLDER)->place;
    case C::FolderEx:
        return FindControlLayout(IDC_FRA_FOLDER_EX)->place;
    case C::Window:
    default:
        return kClient;
    }
}

RECT PixelRect(const TwipsConverter& twips, const TwipsRect& place) {
    const int left = twips.ToPixels(place.left);
    const int top = twips.ToPixels(place.top);
    return RECT{left, top, left + twips.ToPixels(place.width), top + twips.ToPixels(place.height)};
}

int ScreenDpi() {
    const WindowDc screen(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
    return dpi > 0 ? dpi : 96;
}

void frmMain::CreateControls() {
    layout_ = std::make_unique<Layout>();
    layout_->dpi = ScreenDpi();
    layout_->font.reset(MakeFont(layout_->dpi, false));
    layout_->bold_font.reset(MakeFont(layout_->dpi, true));
    layout_->white_brush.reset(::CreateSolidBrush(RGB(255, 255, 255)));
    layout_->logo.Load(ModuleInstance(), L"LOGO");

    // The folder editor's windows, the drive list's drop-down among them, are made when it is
    // first wanted (CreateFolderEditor): the window is loaded as the player starts, and most
    // users never open the editor.
    for (const ControlLayout& row : kControls) {
        if (!InFolderEditor(row) && !IsDrawn(row)) CreateControl(row, HWND_BOTTOM);
    }
    time_label_ = FindControlLayout(IDC_LBL_TIME)->text;
}

void frmMain::CreateFolderEditor() const {
    if (!hwnd_ || !layout_ || ::GetDlgItem(hwnd_, IDC_FRA_FOLDER_EX)) return;
    // Each goes into the stacking (and tab) order where the table puts it: after the control
    // before it.
    HWND previous = HWND_TOP;
    for (const ControlLayout& row : kControls) {
        if (IsDrawn(row)) continue;
        HWND control = ::GetDlgItem(hwnd_, row.id);
        if (!control && InFolderEditor(row)) control = CreateControl(row, previous);
        if (control) previous = control;
    }
    FillFolderEditor();
}

HWND frmMain::CreateControl(const ControlLayout& row, HWND after) const {
    const TwipsConverter twips(layout_->dpi);
    const WindowKind kind = KindOf(row);
    // A container's members are placed from the container's own corner, as it lies on screen.
    RECT box = PixelRect(twips, row.place);
    const RECT origin = PixelRect(twips, ContainerPlace(row.container));
    ::OffsetRect(&box, origin.left, origin.top);
    const int height = box.bottom - box.top;
    const int cy = row.kind == K::DriveList ? height * 8 : height;  // room for the dropped-down list
    // The folder editor and everything in it is hidden until "&Excludes Folder" shows it.
    const bool visible = !InFolderEditor(row);
    HWND control = ::CreateWindowExW(kind.ex_style, kind.window_class, WideFromAnsi(row.text).c_str(),
                                     kind.style | (visible ? WS_VISIBLE : 0), box.left, box.top,
                                     box.right - box.left, cy, hwnd_,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), ModuleInstance(), nullptr);
    if (!control) return nullptr;
    // Keep the table's order as the stacking order, whatever the system's default for children.
    ::SetWindowPos(control, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    HGDIOBJ font = row.bold ? layout_->bold_font.get() : layout_->font.get();
    if (!font) font = ::GetStockObject(DEFAULT_GUI_FONT);
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (row.kind == K::PasswordBox) ::SendMessageW(control, EM_SETPASSWORDCHAR, L'*', 0);
    if (row.kind == K::DriveList) FitComboHeight(control, height);
    if (row.kind == K::FolderList) SizeFolderListItems(control);
    // A label whose wrapped text is a pixel or two taller than its box is drawn by the window,
    // a little higher, so that its last line is not cut.
    if (row.kind == K::Label && LabelOverflow(control) > 0)
        ::SetWindowLongW(control, GWL_STYLE, (::GetWindowLongW(control, GWL_STYLE) & ~SS_TYPEMASK) | SS_OWNERDRAW);
    return control;
}

HGDIOBJ FontOf(HWND control) { return reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0)); }

int WrappedHeight(HDC dc, const std::wstring& text, RECT box, UINT format) {
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, format | DT_CALCRECT);
    return box.bottom - box.top;
}

int LabelOverflow(HDC dc, const std::wstring& text, const RECT& box) {
    const int overflow = WrappedHeight(dc, text, box, kLabelFormat) - (box.bottom - box.top);
    return overflow > 0 ? overflow : 0;
}

int LabelOverflow(HWND label) {
    const WindowDc dc(label);
    if (!dc) return 0;
    const SelectedObject font(dc.get(), FontOf(label));
    RECT box{};
    ::GetClientRect(label, &box);
    return LabelOverflow(dc.get(), WindowText(label), box);
}

}  // namespace sq
