#pragma once
// frmMain as the user sees it: one table of every control and every shape the window draws by
// hand (rules, the red box), each with its kind, text, font, colour and place in twips within its
// container, turned into pixels for the screen's DPI. Also how much room a label's text needs.
#include <windows.h>

#include <string>
#include <vector>

#include "common/win32_unique_handle.h"
#include "ui/win32_frm_main.h"
#include "ui/win32_logo_picture.h"
#include "ui/twips.h"

namespace sq {

// Dots per inch of the screen the window is laid out for.
int ScreenDpi();

enum class Container { Window, TopHolder, FolderEx };
enum class ControlKind {
    Label, TextBox, PasswordBox, Button, DriveList, FolderList, Picture, Image, Frame,
    // Drawn by the container itself, with no window of its own:
    Rule,     // one pixel wide, from (left, top) to (left + width, top + height), both ends drawn
    Outline,  // a box's one-pixel outline
};
// A label's text, or a shape's line; Default is the system's text colour for a control.
enum class Colour { Default, Black, Red, WindowText, Shadow, Highlight };

struct TwipsRect {
    int left, top, width, height;
};

// The id of a drawn shape: it has no window to find.
inline constexpr int kDrawn = 0;

struct ControlLayout {  // NOLINT(clang-analyzer-optin.performance.Padding): in the rows' order; 4 bytes a row
    int id;
    ControlKind kind;
    Container container;
    const char* text;
    bool bold;
    Colour colour;
    bool centred;
    TwipsRect place;  // within the container's client area
};

// Every control, in the order that gives the keyboard's tab order and the stacking (earlier ones
// lie over later ones: the folder editor's frame covers the status area it is placed over), with
// the drawn shapes among them.
struct ControlTable {
    const ControlLayout* first;
    const ControlLayout* last;
    const ControlLayout* begin() const { return first; }
    const ControlLayout* end() const { return last; }
};
ControlTable MainWindowControls();
// The control `id`; never a drawn shape.
const ControlLayout* FindControlLayout(int id);
bool IsDrawn(const ControlLayout& row);
// The folder editor's frame and what lies in it: hidden until "&Excludes Folder" opens it.
bool InFolderEditor(const ControlLayout& row);
// Where a container lies within the window, in twips; the window's own is its client area.
TwipsRect ContainerPlace(Container container);
// A place in pixels, each edge rounded on its own as the controls are placed.
RECT PixelRect(const TwipsConverter& twips, const TwipsRect& place);

// How the window and the system's static control wrap a label's text.
inline constexpr UINT kLabelFormat = DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL;
HGDIOBJ FontOf(HWND control);
// Height of `text` wrapped at the width of `box`, in the font selected into `dc`.
int WrappedHeight(HDC dc, const std::wstring& text, RECT box, UINT format);
// How many pixels a label's wrapped text needs beyond the height of `box` (0 when it fits), in
// the font selected into `dc`; the second form measures the label's own text in its own font.
int LabelOverflow(HDC dc, const std::wstring& text, const RECT& box);
int LabelOverflow(HWND label);

struct frmMain::Layout {
    int dpi = 96;
    UniqueGdi font;
    UniqueGdi bold_font;
    UniqueGdi white_brush;
    LogoPicture logo;
};

}  // namespace sq
