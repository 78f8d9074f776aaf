#pragma once
// The controls of frmMain as the user sees them: one table of kind, text, font, colour and place
// (in twips, within the container), turned into child windows for the screen's DPI.
#include <windows.h>

#include <string>
#include <vector>

#include "common/unique_handle.h"
#include "ui/frm_main.h"
#include "ui/logo_picture.h"
#include "ui/twips.h"

namespace sq {

// Dots per inch of the screen the window is laid out for.
int ScreenDpi();

enum class Container { Window, TopHolder, FolderEx };
enum class ControlKind { Label, TextBox, PasswordBox, Button, DriveList, FolderList, Picture, Image, Frame };
enum class TextColour { Default, Black, Red };

struct TwipsRect {
    int left, top, width, height;
};

struct ControlLayout {
    int id;
    ControlKind kind;
    Container container;
    const char* text;
    bool bold;
    TextColour colour;
    bool centred;
    TwipsRect place;  // within the container's client area
};

// Every control, in the order that gives the keyboard's tab order and the stacking (earlier ones
// lie over later ones: the folder editor's frame covers the status area it is placed over).
const std::vector<ControlLayout>& MainWindowControls();
const ControlLayout* FindControlLayout(int id);
// The folder editor's frame and what lies in it: hidden until "&Excludes Folder" opens it.
bool InFolderEditor(const ControlLayout& row);
// Where a container's own top-left corner lies within the window, in twips.
TwipsRect ContainerPlace(Container container);

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
