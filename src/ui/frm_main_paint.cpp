// What frmMain draws itself: the rules and etched separators on the window, the white banner
// with its divider, the logo, the folder editor's frame with the red box around its main button,
// and the colours of the labels.
#include "ui/frm_main_layout.h"

namespace sq {
namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// A one-pixel line from (x1, y) or (x, y1), both ends included.
void HorizontalLine(HDC dc, int x1, int x2, int y, COLORREF colour) {
    RECT r{x1, y, x2 + 1, y + 1};
    ::SetBkColor(dc, colour);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

void VerticalLine(HDC dc, int x, int y1, int y2, COLORREF colour) {
    RECT r{x, y1, x + 1, y2 + 1};
    ::SetBkColor(dc, colour);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

void RectangleOutline(HDC dc, const RECT& r, COLORREF colour) {
    HorizontalLine(dc, r.left, r.right - 1, r.top, colour);
    HorizontalLine(dc, r.left, r.right - 1, r.bottom - 1, colour);
    VerticalLine(dc, r.left, r.top, r.bottom - 1, colour);
    VerticalLine(dc, r.right - 1, r.top, r.bottom - 1, colour);
}

// An etched separator: the shadow line with the highlight line under it.
void EtchedRule(HDC dc, const TwipsConverter& twips, int shadow_y, int highlight_y) {
    const int x1 = twips.ToPixels(120);
    const int x2 = twips.ToPixels(5520);
    HorizontalLine(dc, x1, x2, twips.ToPixels(shadow_y), ::GetSysColor(COLOR_3DSHADOW));
    HorizontalLine(dc, x1, x2, twips.ToPixels(highlight_y), ::GetSysColor(COLOR_3DHILIGHT));
}

RECT PixelRect(const TwipsConverter& twips, const TwipsRect& place) {
    const int left = twips.ToPixels(place.left);
    const int top = twips.ToPixels(place.top);
    return RECT{left, top, left + twips.ToPixels(place.width), top + twips.ToPixels(place.height)};
}

}  // namespace

bool frmMain::HandleLayoutMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (!layout_) return false;
    const TwipsConverter twips(layout_->dpi);
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd_, &ps);
        if (dc) {
            RECT client{};
            ::GetClientRect(hwnd_, &client);
            // Line1, under the banner and across the whole width; then the two etched rules.
            HorizontalLine(dc, client.left, client.right, twips.ToPixels(855), ::GetSysColor(COLOR_WINDOWTEXT));
            EtchedRule(dc, twips, 2145, 2160);
            EtchedRule(dc, twips, 4320, 4335);
        }
        ::EndPaint(hwnd_, &ps);
        result = 0;
        return true;
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (!item || item->CtlType != ODT_STATIC) return false;
        HDC dc = item->hDC;
        const RECT box = item->rcItem;
        switch (item->CtlID) {
        case IDC_PCT_TOP_HOLDER:
            ::FillRect(dc, &box, static_cast<HBRUSH>(layout_->white_brush.get()));
            // lneDivide runs from above the banner to below it; the banner clips it.
            VerticalLine(dc, twips.ToPixels(2760), box.top, box.bottom - 1, ::GetSysColor(COLOR_WINDOWTEXT));
            break;
        case IDC_IMG_LOGO:
            ::FillRect(dc, &box, static_cast<HBRUSH>(layout_->white_brush.get()));
            layout_->logo.Draw(dc, box, layout_->dpi);
            break;
        case IDC_FRA_FOLDER_EX: {
            ::FillRect(dc, &box, ::GetSysColorBrush(COLOR_BTNFACE));
            RECT edge = box;
            ::DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
            // shpNotice: the red box around "&Update Folder Settings".
            RectangleOutline(dc, PixelRect(twips, {3120, 720, 1935, 855}), kRed);
            break;
        }
        default:
            return false;
        }
        result = TRUE;
        return true;
    }
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wp);
        const int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(lp));
        const ControlSpec* spec = FindControlSpec(id);
        if (!spec || spec->kind != ControlKind::Label) return false;
        COLORREF text = ::GetSysColor(COLOR_BTNTEXT);
        if (spec->colour == TextColour::Black) text = kBlack;
        if (spec->colour == TextColour::Red) text = kRed;
        ::SetTextColor(dc, text);
        if (spec->container == Container::TopHolder) {
            ::SetBkColor(dc, kWhite);
            result = reinterpret_cast<LRESULT>(layout_->white_brush.get());
        } else {
            ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
            result = reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
        }
        return true;
    }
    default:
        return false;
    }
}

}  // namespace sq
