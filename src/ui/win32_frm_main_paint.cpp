// What frmMain draws itself, one routine a message: the table's shapes (the rules on the window and
// on the white banner, the red box in the folder editor), the banner, the logo, the folder
// editor's frame, the push buttons, the folder list's entries, and the colours of the labels.
#include "common/win32_gdi_scope.h"
#include "common/win32_window_text.h"
#include "ui/win32_folder_list.h"
#include "ui/win32_frm_main_layout.h"
#include "ui/win32_opaque_fill.h"

namespace sq {
namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// A one-pixel line from (x1, y1) to (x2, y2), across or down, both ends included.
void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour) { FillOpaque(dc, {x1, y1, x2 + 1, y2 + 1}, colour); }

void RectangleOutline(HDC dc, const RECT& r, COLORREF colour) {
    Line(dc, r.left, r.top, r.right - 1, r.top, colour);
    Line(dc, r.left, r.bottom - 1, r.right - 1, r.bottom - 1, colour);
    Line(dc, r.left, r.top, r.left, r.bottom - 1, colour);
    Line(dc, r.right - 1, r.top, r.right - 1, r.bottom - 1, colour);
}

COLORREF ColourOf(const ControlLayout& row) {
    switch (row.colour) {
    case Colour::Black:
        return kBlack;
    case Colour::Red:
        return kRed;
    case Colour::WindowText:
        return ::GetSysColor(COLOR_WINDOWTEXT);
    case Colour::Shadow:
        return ::GetSysColor(COLOR_3DSHADOW);
    case Colour::Highlight:
        return ::GetSysColor(COLOR_3DHILIGHT);
    case Colour::Default:
    default:
        return ::GetSysColor(COLOR_BTNTEXT);
    }
}

// Labels on the banner sit on its white; the others on the window's face colour.
HBRUSH LabelBackground(const ControlLayout& row, HBRUSH white) {
    return row.container == Container::TopHolder ? white : ::GetSysColorBrush(COLOR_BTNFACE);
}

// The table's shapes that lie in `container`, into the container's own device context.
void DrawShapes(HDC dc, const TwipsConverter& twips, Container container) {
    for (const ControlLayout& row : MainWindowControls()) {
        if (row.container != container) continue;
        const TwipsRect& place = row.place;
        if (row.kind == ControlKind::Rule)
            Line(dc, twips.ToPixels(place.left), twips.ToPixels(place.top), twips.ToPixels(place.left + place.width),
                 twips.ToPixels(place.top + place.height), ColourOf(row));
        else if (row.kind == ControlKind::Outline)
            RectangleOutline(dc, PixelRect(twips, place), ColourOf(row));
    }
}

// A push button: raised face, pressed when held, the caption wrapped and centred, a dotted
// frame around it when the button has the keyboard focus.
void DrawPushButton(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT face = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    if (focused) {
        ::FrameRect(dc, &face, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        ::InflateRect(&face, -1, -1);
    }
    ::DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED | DFCS_FLAT : 0));
    if (pressed) ::FrameRect(dc, &face, ::GetSysColorBrush(COLOR_3DSHADOW));

    const std::wstring text = WindowText(item.hwndItem);
    const SelectedObject font(dc, FontOf(item.hwndItem));
    RECT inside = item.rcItem;
    ::InflateRect(&inside, -4, -4);
    const int height = WrappedHeight(dc, text, inside, DT_WORDBREAK | DT_CENTER);
    RECT caption = inside;
    caption.top += ((inside.bottom - inside.top) - height) / 2;
    caption.bottom = caption.top + height;
    if (pressed) ::OffsetRect(&caption, 1, 1);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor((item.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &caption, DT_WORDBREAK | DT_CENTER);
    if (focused) {
        RECT frame = item.rcItem;
        ::InflateRect(&frame, -4, -4);
        ::DrawFocusRect(dc, &frame);
    }
}

// A label that needs a little more height than it has: its text starts higher by the overflow,
// taken from the empty leading above the letters, so the last line keeps its descenders.
void DrawSnugLabel(const DRAWITEMSTRUCT& item, COLORREF text_colour, HBRUSH background) {
    HDC dc = item.hDC;
    ::FillRect(dc, &item.rcItem, background);
    const std::wstring text = WindowText(item.hwndItem);
    const SelectedObject font(dc, FontOf(item.hwndItem));
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    RECT box = item.rcItem;
    const int overflow = LabelOverflow(dc, text, box);
    box.top -= overflow < metrics.tmInternalLeading ? overflow : metrics.tmInternalLeading;
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, text_colour);
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, kLabelFormat);
}

}  // namespace

bool frmMain::OnPaint() {
    if (!layout_) return false;
    const PaintDc dc(hwnd_);
    if (dc) DrawShapes(dc.get(), TwipsConverter(layout_->dpi), Container::Window);
    return true;
}

bool frmMain::OnMeasureItem(WPARAM id, MEASUREITEMSTRUCT* item) const {
    if (!layout_ || id != IDC_LST_FOLDERS || !item) return false;
    item->itemHeight = static_cast<UINT>(::MulDiv(16, layout_->dpi, 96));  // refined once the font is set
    return true;
}

bool frmMain::OnDrawItem(WPARAM id, const DRAWITEMSTRUCT* item) {
    if (!layout_ || !item) return false;
    if (id == IDC_LST_FOLDERS) {
        DrawFolderListItem(*item, layout_->dpi);
        return true;
    }
    if (item->CtlType == ODT_BUTTON) {
        DrawPushButton(*item);
        return true;
    }
    const ControlLayout* row = item->CtlType == ODT_STATIC ? FindControlLayout(static_cast<int>(item->CtlID)) : nullptr;
    if (!row) return false;
    const TwipsConverter twips(layout_->dpi);
    HDC dc = item->hDC;
    const RECT box = item->rcItem;
    const auto white = static_cast<HBRUSH>(layout_->white_brush.get());
    switch (row->kind) {
    case ControlKind::Label:
        DrawSnugLabel(*item, ColourOf(*row), LabelBackground(*row, white));
        return true;
    case ControlKind::Picture:  // pctTopHolder, the white banner
        ::FillRect(dc, &box, white);
        DrawShapes(dc, twips, Container::TopHolder);
        return true;
    case ControlKind::Image:
        ::FillRect(dc, &box, white);
        layout_->logo.Draw(dc, box, layout_->dpi);
        return true;
    case ControlKind::Frame: {  // fraFolderEx
        ::FillRect(dc, &box, ::GetSysColorBrush(COLOR_BTNFACE));
        RECT edge = box;
        ::DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
        DrawShapes(dc, twips, Container::FolderEx);
        return true;
    }
    default:
        return false;
    }
}

HBRUSH frmMain::OnCtlColorStatic(HDC dc, HWND control) const {
    const ControlLayout* row = layout_ ? FindControlLayout(::GetDlgCtrlID(control)) : nullptr;
    if (!row || row->kind != ControlKind::Label) return nullptr;
    ::SetTextColor(dc, ColourOf(*row));
    ::SetBkColor(dc, row->container == Container::TopHolder ? kWhite : ::GetSysColor(COLOR_BTNFACE));
    return LabelBackground(*row, static_cast<HBRUSH>(layout_->white_brush.get()));
}

}  // namespace sq
