// frmMain as the user meets it: its layout at 96 dpi, the account fields, "&Save", the refusal to
// close, and the excluded-folder editor, all on the real window, registry and file system.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>

#include "frm_main_fixture.h"
#include "png_file.h"
#include "support/win_test_support.h"
#include "ui/win32_frm_main.h"

namespace {

using namespace uitest;
using sq::frmMain;

HWND Window() { return frmMain::Instance().hwnd(); }
HWND Ctl(int id) { return frmMain::Instance().Control(id); }
bool Visible(int id) { return (::GetWindowLongW(Ctl(id), GWL_STYLE) & WS_VISIBLE) != 0; }
int Selected(HWND list) { return static_cast<int>(::SendMessageW(list, LB_GETCURSEL, 0, 0)); }

int IndexOf(const std::vector<std::wstring>& items, const std::wstring& name) {
    const auto it = std::find(items.begin(), items.end(), name);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

// Opens folders one double click at a time, from the root of C: down to `names`.
void BrowseFromRoot(const std::vector<std::wstring>& names) {
    HWND list = Ctl(sq::IDC_LST_FOLDERS);
    DoubleClickItem(list, 0);
    for (const std::wstring& name : names) {
        const int index = IndexOf(ListItems(list), name);
        ASSERT_GE(index, 0) << "no entry " << std::string(name.begin(), name.end());
        DoubleClickItem(list, index);
    }
}

// Chooses a drive in the drive list by typing its letter, as a user of the closed list would.
void ChooseDrive(wchar_t letter) {
    HWND drives = Ctl(sq::IDC_LST_DRIVE);
    ::SetFocus(drives);
    ::SendMessageW(drives, WM_CHAR, letter, 0);
}

std::wstring SelectedDrive() {
    HWND drives = Ctl(sq::IDC_LST_DRIVE);
    const LRESULT index = ::SendMessageW(drives, CB_GETCURSEL, 0, 0);
    const auto items = ComboItems(drives);
    return index < 0 || static_cast<size_t>(index) >= items.size() ? L"" : items[static_cast<size_t>(index)].substr(0, 2);
}

const std::wstring kMusic = std::wstring(kTestRoot) + L"\\Music";

class FrmMainWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ClearSettings();
        MakeTestFolders();
        ::SetCurrentDirectoryW((std::wstring(kTestRoot) + L"\\Start").c_str());
        ASSERT_EQ(frmMain::Instance().Load(), S_OK);
    }
    static void TearDownTestSuite() { ClearSettings(); }

    void SetUp() override {
        ASSERT_NE(Window(), nullptr);
        ::ShowWindow(Window(), SW_SHOW);
        ::SetForegroundWindow(Window());
        if (Visible(sq::IDC_FRA_FOLDER_EX)) Click(Ctl(sq::IDC_CMD_CANCEL));
        ::SetFocus(Ctl(sq::IDC_TXT_USER));
        PumpFor(50);
    }
};

TEST_F(FrmMainWindow, TitleFrameAndIcon) {
    EXPECT_EQ(sqtest::WindowText(Window()), L"Sonoquill.net Song Updating Utility");
    const LONG style = ::GetWindowLongW(Window(), GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_MINIMIZEBOX) << "no minimise box";
    EXPECT_FALSE(style & WS_MAXIMIZEBOX) << "no maximise box";
    RECT client{};
    ::GetClientRect(Window(), &client);
    EXPECT_EQ(client.right, 376) << "5640 twips at 96 dpi";
    EXPECT_EQ(client.bottom, 338) << "5070 twips at 96 dpi";

    EXPECT_NE(::GetClassLongPtrW(Window(), GCLP_HICON), 0u) << "the window class carries icon 1";
    // The icon resource itself: one 32 x 32 picture in 16 colours.
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC group = ::FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
    ASSERT_NE(group, nullptr);
    const auto* bytes = static_cast<const BYTE*>(::LockResource(::LoadResource(module, group)));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(bytes[4] | bytes[5] << 8, 1) << "one image";
    EXPECT_EQ(bytes[6], 32) << "width";
    EXPECT_EQ(bytes[7], 32) << "height";
    EXPECT_EQ(bytes[8], 16) << "colours";
    EXPECT_EQ(bytes[12] | bytes[13] << 8, 4) << "bits per pixel";
}

TEST(FrmMainPictures, TheDllCarriesTheIconAndTheLogo) {
    HMODULE dll = ::LoadLibraryExW(sqtest::DllPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(dll, nullptr);
    HRSRC icon = ::FindResourceW(dll, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
    EXPECT_NE(icon, nullptr) << "icon 1, which the window class loads";
    HRSRC logo = ::FindResourceW(dll, L"LOGO", MAKEINTRESOURCEW(10));  // RT_RCDATA
    ASSERT_NE(logo, nullptr);
    const auto* bytes = static_cast<const BYTE*>(::LockResource(::LoadResource(dll, logo)));
    ASSERT_NE(bytes, nullptr);
    EXPECT_GT(::SizeofResource(dll, logo), 1000u);
    EXPECT_TRUE(bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) << "the logo is a JPEG";
    EXPECT_NE(::FindResourceW(dll, MAKEINTRESOURCEW(1), L"TYPELIB"), nullptr) << "the type library is still there";
    ::FreeLibrary(dll);
}

struct Expected {
    int id;
    const wchar_t* window_class;
    const wchar_t* text;
    char container;  // 'W' window, 'B' banner (pctTopHolder), 'F' fraFolderEx
    RECT place;      // left, top, width, height in pixels within the container
    bool bold;
};

// The layout in pixels at 96 dpi (15 twips a pixel), within each control's container.
const Expected kLayout[] = {
    {sq::IDC_PCT_TOP_HOLDER, L"Static", L"", 'W', {0, 0, 376, 57}, false},
    {sq::IDC_IMG_LOGO, L"Static", L"", 'B', {8, 8, 166, 41}, false},
    {sq::IDC_LBL_NOTICE0, L"Static", L"To get a free account go to http://www.sonoquill.net and signup today!", 'B',
     {192, 8, 177, 41}, false},
    {sq::IDC_LBL_NOTICE1, L"Static", L"Please enter you Sonoquill.net account information.", 'W', {8, 64, 361, 25}, false},
    {sq::IDC_LBL_USERNAME, L"Static", L"Username:", 'W', {8, 88, 81, 17}, false},
    {sq::IDC_LBL_REQUIRED0, L"Static", L"*", 'W', {64, 88, 17, 17}, true},
    {sq::IDC_TXT_USER, L"Edit", nullptr, 'W', {80, 88, 289, 19}, false},
    {sq::IDC_LBL_PASSWORD, L"Static", L"Password:", 'W', {8, 112, 81, 17}, false},
    {sq::IDC_LBL_REQUIRED1, L"Static", L"*", 'W', {64, 112, 17, 17}, true},
    {sq::IDC_TXT_PASS, L"Edit", nullptr, 'W', {80, 112, 289, 19}, false},
    {sq::IDC_LBL_STATUS0, L"Static", L"Sonoquill Client Status:", 'W', {8, 152, 353, 17}, false},
    {sq::IDC_LBL_STATUS1, L"Static", L"Connection:", 'W', {8, 176, 81, 17}, false},
    {sq::IDC_LBL_CONNECTED, L"Static", L"Not Connected.", 'W', {96, 176, 265, 17}, true},
    {sq::IDC_LBL_STATUS2, L"Static", L"Sending in:", 'W', {8, 200, 81, 17}, false},
    {sq::IDC_LBL_TIME, L"Static", nullptr, 'W', {96, 200, 265, 17}, true},
    {sq::IDC_LBL_STATUS3, L"Static", L"Last Response:", 'W', {8, 224, 81, 17}, false},
    {sq::IDC_LBL_RESPONSE, L"Static", L"No data sent yet.", 'W', {96, 224, 265, 33}, true},
    {sq::IDC_LBL_STATUS4, L"Static", L"Last Msg Time:", 'W', {8, 264, 81, 17}, false},
    {sq::IDC_LBL_LAST_TIME, L"Static", L"No time reported.", 'W', {96, 264, 265, 17}, true},
    {sq::IDC_CMD_EXCLUDE, L"Button", L"&Excludes Folder", 'W', {168, 296, 105, 33}, true},
    {sq::IDC_CMD_SAVE, L"Button", L"&Save", 'W', {280, 296, 89, 33}, true},
    {sq::IDC_FRA_FOLDER_EX, L"Static", L"", 'W', {8, 136, 361, 154}, false},
    {sq::IDC_LBL_INFO, L"Static", L"Select a folder. If a song is played from this folder Sonoquill will ignore it.", 'F',
     {8, 16, 345, 25}, false},
    {sq::IDC_LST_DRIVE, L"ComboBox", nullptr, 'F', {8, 48, 177, 21}, false},
    {sq::IDC_LST_FOLDERS, L"ListBox", nullptr, 'F', {8, 72, 177, 66}, false},
    {sq::IDC_CMD_OK, L"Button", L"&Update Folder Settings", 'F', {216, 56, 113, 41}, false},
    {sq::IDC_CMD_REMOVE, L"Button", L"&Remove", 'F', {208, 112, 65, 25}, false},
    {sq::IDC_CMD_CANCEL, L"Button", L"&Cancel", 'F', {272, 112, 65, 25}, false},
};

RECT PlaceInWindow(HWND control) {
    RECT rc{};
    ::GetWindowRect(control, &rc);
    ::MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

TEST_F(FrmMainWindow, EveryControlSitsWhereTheLayoutPutsIt) {
    ASSERT_EQ(::GetDeviceCaps(::GetDC(nullptr), LOGPIXELSY), 96) << "the layout table is for 96 dpi";
    for (const Expected& e : kLayout) {
        HWND control = Ctl(e.id);
        ASSERT_NE(control, nullptr) << "control " << e.id;
        wchar_t window_class[64] = {};
        ::GetClassNameW(control, window_class, 64);
        EXPECT_EQ(_wcsicmp(window_class, e.window_class), 0) << "control " << e.id;
        if (e.text) {
            EXPECT_EQ(sqtest::WindowText(control), e.text) << "control " << e.id;
        }

        const POINT origin = e.container == 'F' ? POINT{8, 136} : POINT{0, 0};
        const RECT rc = PlaceInWindow(control);
        EXPECT_EQ(rc.left - origin.x, e.place.left) << "left of control " << e.id;
        EXPECT_EQ(rc.top - origin.y, e.place.top) << "top of control " << e.id;
        EXPECT_EQ(rc.right - rc.left, e.place.right) << "width of control " << e.id;
        EXPECT_EQ(rc.bottom - rc.top, e.place.bottom) << "height of control " << e.id;

        LOGFONTW font{};
        HFONT handle = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
        ASSERT_TRUE(handle && ::GetObjectW(handle, sizeof font, &font)) << "control " << e.id << " has a font";
        EXPECT_STREQ(font.lfFaceName, L"Tahoma") << "control " << e.id;
        EXPECT_EQ(font.lfHeight, -11) << "8.25 pt at 96 dpi, control " << e.id;
        EXPECT_EQ(font.lfWeight >= FW_BOLD, e.bold) << "bold or not, control " << e.id;

        const bool in_editor = e.container == 'F' || e.id == sq::IDC_FRA_FOLDER_EX;
        EXPECT_EQ(Visible(e.id), !in_editor) << "the folder editor is hidden at load; control " << e.id;
    }
    EXPECT_EQ(::GetWindowLongW(Ctl(sq::IDC_TXT_PASS), GWL_STYLE) & ES_PASSWORD, ES_PASSWORD);
    EXPECT_EQ(::SendMessageW(Ctl(sq::IDC_TXT_PASS), EM_GETPASSWORDCHAR, 0, 0), L'*');
    EXPECT_EQ(::GetWindowLongW(Ctl(sq::IDC_LBL_NOTICE1), GWL_STYLE) & SS_TYPEMASK, SS_CENTER) << "the prompt is centred";
}

bool Dark(COLORREF c) { return GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11 < 140 * 100; }

// The dark pixels of a control's text drawn black on white, wrapped as the control wraps it
// (a button's caption within its face), with unlimited room below: all the ink the text has.
int InkOfWholeText(HWND control, bool button) {
    RECT client{};
    ::GetClientRect(control, &client);
    const int width = client.right;
    const int height = client.bottom + 200;
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP sheet = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old_bitmap = ::SelectObject(dc, sheet);
    HGDIOBJ old_font = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT all{0, 0, width, height};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkMode(dc, TRANSPARENT);
    const std::wstring text = sqtest::WindowText(control);
    RECT box{0, 0, width, height};
    if (button) ::InflateRect(&box, -4, 0);
    ::DrawTextW(dc, text.c_str(), -1, &box, DT_WORDBREAK | (button ? DT_CENTER : DT_NOPREFIX));
    int ink = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (Dark(::GetPixel(dc, x, y))) ++ink;
    ::SelectObject(dc, old_font);
    ::SelectObject(dc, old_bitmap);
    ::DeleteObject(sheet);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return ink;
}

// The dark pixels of the text as the control itself paints it (into a bitmap of its own size,
// so neighbours that overlap it do not count); a button's frame is left out.
int InkAsDrawn(HWND control, bool button) {
    RECT client{};
    ::GetClientRect(control, &client);
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP sheet = ::CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old_bitmap = ::SelectObject(dc, sheet);
    ::FillRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    const int inset = button ? 3 : 0;
    int ink = 0;
    for (int y = inset; y < client.bottom - inset; ++y)
        for (int x = inset; x < client.right - inset; ++x)
            if (Dark(::GetPixel(dc, x, y))) ++ink;
    ::SelectObject(dc, old_bitmap);
    ::DeleteObject(sheet);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return ink;
}

// Compares the ink a text has with the ink its control paints: any text cut off by the control's
// edges (or a button's frame) shows less.
TEST_F(FrmMainWindow, NoTextIsClipped) {
    ::SetFocus(Ctl(sq::IDC_TXT_USER));
    for (const Expected& e : kLayout) {
        if (!e.text || !*e.text) continue;
        HWND control = Ctl(e.id);
        const bool button = _wcsicmp(e.window_class, L"Button") == 0;
        const int whole = InkOfWholeText(control, button);
        EXPECT_GT(whole, 0) << "control " << e.id;
        EXPECT_EQ(InkAsDrawn(control, button), whole) << "text of control " << e.id << " is cut off";
    }
}

COLORREF PixelAt(int x, int y) {
    HDC dc = ::GetDC(Window());
    const COLORREF colour = ::GetPixel(dc, x, y);
    ::ReleaseDC(Window(), dc);
    return colour;
}

void Repaint() {
    ::RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpFor(100);
}

int CountPixels(const RECT& area, const std::function<bool(COLORREF)>& match) {
    HDC dc = ::GetDC(Window());
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (match(::GetPixel(dc, x, y))) ++count;
    ::ReleaseDC(Window(), dc);
    return count;
}

TEST_F(FrmMainWindow, BannerRulesSeparatorsAndLogoAreDrawn) {
    Repaint();
    const COLORREF text = ::GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF shadow = ::GetSysColor(COLOR_3DSHADOW);
    const COLORREF light = ::GetSysColor(COLOR_3DHILIGHT);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(PixelAt(2, 2), RGB(255, 255, 255)) << "white banner";
    EXPECT_EQ(PixelAt(184, 2), text) << "lneDivide at 2760 twips";
    EXPECT_EQ(PixelAt(184, 56), text) << "lneDivide reaches the banner's foot";
    EXPECT_EQ(PixelAt(186, 30), RGB(255, 255, 255));
    EXPECT_EQ(PixelAt(200, 57), text) << "Line1 under the banner";
    EXPECT_EQ(PixelAt(0, 57), text) << "Line1 runs across the whole width";
    EXPECT_EQ(PixelAt(375, 57), text);
    for (int y : {143, 288}) {
        EXPECT_EQ(PixelAt(8, y), shadow) << "etched separator, shadow line, y " << y;
        EXPECT_EQ(PixelAt(368, y), shadow) << y;
        EXPECT_EQ(PixelAt(200, y + 1), light) << "etched separator, highlight line, y " << y + 1;
        EXPECT_EQ(PixelAt(4, y), face) << "separators start at 120 twips";
    }
    EXPECT_GT(CountPixels({8, 8, 174, 49}, [](COLORREF c) { return GetBValue(c) > 120 && GetRValue(c) < 90; }), 150)
        << "the logo's blue appears inside imgLogo";
    EXPECT_GT(CountPixels({64, 88, 81, 105}, [](COLORREF c) { return c == RGB(255, 0, 0); }), 3) << "red asterisk";
    EXPECT_GT(CountPixels({192, 8, 369, 49}, [](COLORREF c) { return c == RGB(0, 0, 0); }), 30) << "black notice on white";

    Click(Ctl(sq::IDC_CMD_EXCLUDE));
    Repaint();
    EXPECT_EQ(PixelAt(8 + 208, 136 + 48), RGB(255, 0, 0)) << "shpNotice's red outline around the Update button";
    EXPECT_EQ(PixelAt(8 + 208 + 128, 136 + 48 + 56), RGB(255, 0, 0));
    EXPECT_EQ(PixelAt(8, 136), shadow) << "the frame's etched border";
    EXPECT_EQ(PixelAt(200, 143), face) << "the open editor covers the upper separator";
    // A new countdown text under the open editor must not paint over it.
    frmMain::Instance().SetControlText(sq::IDC_LBL_TIME, "49 sec");
    PumpFor(100);
    EXPECT_EQ(PixelAt(100, 205), face) << "lblTime stays under the frame";
    frmMain::Instance().SetControlText(sq::IDC_LBL_TIME, "50 sec");
    Click(Ctl(sq::IDC_CMD_CANCEL));
}

std::vector<int> TabCycle(int start) {
    std::vector<int> ids{start};
    HWND control = Ctl(start);
    for (int i = 0; i < 12; ++i) {
        control = ::GetNextDlgTabItem(Window(), control, FALSE);
        if (!control || ::GetDlgCtrlID(control) == start) break;
        ids.push_back(::GetDlgCtrlID(control));
    }
    return ids;
}

TEST_F(FrmMainWindow, TabOrderSkipsTheHiddenEditor) {
    using namespace sq;
    const std::vector<int> hidden = {IDC_TXT_USER, IDC_TXT_PASS, IDC_CMD_SAVE, IDC_CMD_EXCLUDE};
    EXPECT_EQ(TabCycle(IDC_TXT_USER), hidden);
    Click(Ctl(IDC_CMD_EXCLUDE));
    const std::vector<int> shown = {IDC_TXT_USER,    IDC_TXT_PASS, IDC_CMD_SAVE,    IDC_LST_DRIVE, IDC_LST_FOLDERS,
                                    IDC_CMD_OK,      IDC_CMD_CANCEL, IDC_CMD_EXCLUDE, IDC_CMD_REMOVE};
    EXPECT_EQ(TabCycle(IDC_TXT_USER), shown);
    // The real Tab key walks the same way.
    ::SetFocus(Ctl(IDC_CMD_SAVE));
    PressKeys({VK_TAB});
    EXPECT_TRUE(PumpUntil([] { return ::GetFocus() == Ctl(IDC_LST_DRIVE); })) << "Tab from Save goes to the drive list";
    Click(Ctl(IDC_CMD_CANCEL));
    EXPECT_EQ(::GetFocus(), Ctl(IDC_CMD_EXCLUDE)) << "closing the editor does not strand the focus in it";
}

TEST_F(FrmMainWindow, LeavingAFieldStoresIt) {
    ClearSettings();
    HWND user = Ctl(sq::IDC_TXT_USER);
    HWND pass = Ctl(sq::IDC_TXT_PASS);
    ::SetFocus(user);
    ::SetWindowTextW(user, L"new user");
    PumpFor(50);
    EXPECT_FALSE(ReadRaw(L"Username").has_value()) << "nothing is stored while the caret is still in the field";

    PressKeys({VK_TAB});
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == pass; })) << "Tab moves to the password";
    EXPECT_EQ(ReadRaw(L"Username"), std::optional<std::wstring>(L"new user"));
    EXPECT_FALSE(ReadRaw(L"Password").has_value());

    for (wchar_t c : std::wstring(L" p@ss w0rd; & \"x\" ")) ::SendMessageW(pass, WM_CHAR, c, 1);
    Click(Ctl(sq::IDC_CMD_EXCLUDE));  // clicking any other control takes the focus
    EXPECT_EQ(ReadRaw(L"Password"), std::optional<std::wstring>(L" p@ss w0rd; & \"x\" "));
    Click(Ctl(sq::IDC_CMD_CANCEL));

    ::SetFocus(user);
    ::SetWindowTextW(user, L"");
    ::SetFocus(pass);
    EXPECT_EQ(ReadRaw(L"Username"), std::optional<std::wstring>(L"")) << "a cleared field stores the empty string";
}

TEST_F(FrmMainWindow, SaveStoresBothHidesAndKeepsTheEditorOpenForTheNextShow) {
    ClearSettings();
    Click(Ctl(sq::IDC_CMD_EXCLUDE));
    ::ShowWindow(Window(), SW_HIDE);

    bool stored_before_save = true;
    bool still_modal = false;
    bool forced = false;
    RunStepsFromTimer({
        [&] {
            ::SetWindowTextW(Ctl(sq::IDC_TXT_USER), L"saved user");
            ::SetWindowTextW(Ctl(sq::IDC_TXT_PASS), L"saved pass, word!");
            stored_before_save = ReadRaw(L"Password").has_value();
            still_modal = true;
        },
        [&] { Click(Ctl(sq::IDC_CMD_SAVE)); },
        [&] {  // only reached when "&Save" failed to end the modal show
            forced = ::IsWindowVisible(Window()) != FALSE;
            ::ShowWindow(Window(), SW_HIDE);
        },
    });
    ASSERT_EQ(frmMain::Instance().ShowModal(), S_OK);
    EXPECT_TRUE(still_modal) << "the steps ran inside the modal show";
    EXPECT_FALSE(forced) << "\"&Save\" ends the modal show";
    EXPECT_FALSE(stored_before_save);
    EXPECT_EQ(ReadRaw(L"Password"), std::optional<std::wstring>(L"saved pass, word!"));
    EXPECT_EQ(ReadRaw(L"Username"), std::optional<std::wstring>(L"saved user"));
    EXPECT_TRUE(::IsWindow(Window())) << "hidden, not destroyed";
    EXPECT_FALSE(::IsWindowVisible(Window()));
    PumpFor(300);  // let the test's step timer run out

    bool editor_open = false;
    std::string user_text;
    RunStepsFromTimer({
        [&] {
            editor_open = ::IsWindowVisible(Ctl(sq::IDC_FRA_FOLDER_EX)) && ::IsWindowVisible(Ctl(sq::IDC_LST_FOLDERS));
            user_text = frmMain::Instance().ControlText(sq::IDC_TXT_USER);
            Click(Ctl(sq::IDC_CMD_SAVE));
        },
        [&] { ::ShowWindow(Window(), SW_HIDE); },
    });
    ASSERT_EQ(frmMain::Instance().ShowModal(), S_OK);
    EXPECT_TRUE(editor_open) << "an editor left open is still open at the next show";
    EXPECT_EQ(user_text, "saved user") << "the fields are not reloaded";
    PumpFor(300);
}

TEST_F(FrmMainWindow, KeyboardPressesTheButtons) {
    ::ShowWindow(Window(), SW_HIDE);
    bool opened_by_mnemonic = false, closed_by_mnemonic = false, opened_by_enter = false, closed_by_space = false;
    bool forced = false;
    RunStepsFromTimer({
        [&] { PressKeys({VK_MENU, 'E'}); },  // Alt+E: "&Excludes Folder"
        [&] {
            opened_by_mnemonic = Visible(sq::IDC_FRA_FOLDER_EX);
            PressKeys({VK_MENU, 'C'});  // Alt+C: "&Cancel"
        },
        [&] {
            closed_by_mnemonic = !Visible(sq::IDC_FRA_FOLDER_EX);
            ::SetFocus(Ctl(sq::IDC_CMD_EXCLUDE));
            PressKeys({VK_RETURN});
        },
        [&] {
            opened_by_enter = Visible(sq::IDC_FRA_FOLDER_EX);
            ::SetFocus(Ctl(sq::IDC_CMD_CANCEL));
            PressKeys({VK_SPACE});
        },
        [&] {
            closed_by_space = !Visible(sq::IDC_FRA_FOLDER_EX);
            PressKeys({VK_MENU, 'S'});  // Alt+S: "&Save"
        },
        [&] {
            forced = ::IsWindowVisible(Window()) != FALSE;
            ::ShowWindow(Window(), SW_HIDE);
        },
    }, 150);
    ASSERT_EQ(frmMain::Instance().ShowModal(), S_OK);
    EXPECT_TRUE(opened_by_mnemonic);
    EXPECT_TRUE(closed_by_mnemonic);
    EXPECT_TRUE(opened_by_enter) << "Enter presses the focused button";
    EXPECT_TRUE(closed_by_space);
    EXPECT_FALSE(forced) << "Alt+S saves and hides";
    PumpFor(300);
}

int g_close_requests = 0;
LRESULT CALLBACK CountCloseRequests(int code, WPARAM wp, LPARAM lp) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && message && message->hwnd == Window() &&
        (message->message == WM_CLOSE || (message->message == WM_SYSCOMMAND && (message->wParam & 0xFFF0) == SC_CLOSE)))
        ++g_close_requests;
    return ::CallNextHookEx(nullptr, code, wp, lp);
}

// Alt+F4 arrives as a posted close request, which only this hook sees.
LRESULT CALLBACK CountPostedCloseRequests(int code, WPARAM wp, LPARAM lp) {
    const auto* message = reinterpret_cast<const MSG*>(lp);
    if (code == HC_ACTION && wp == PM_REMOVE && message && message->hwnd == Window() &&
        (message->message == WM_CLOSE || (message->message == WM_SYSCOMMAND && (message->wParam & 0xFFF0) == SC_CLOSE)))
        ++g_close_requests;
    return ::CallNextHookEx(nullptr, code, wp, lp);
}

// A screen point on the caption's close box, found by asking the window itself.
POINT CloseBoxPoint() {
    RECT rc{};
    ::GetWindowRect(Window(), &rc);
    for (int y = rc.top; y < rc.top + 40; ++y)
        for (int x = rc.right - 1; x > rc.right - 60; --x)
            if (::SendMessageW(Window(), WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) return POINT{x - 4, y + 4};
    return POINT{-1, -1};
}

TEST_F(FrmMainWindow, CloseRequestsOfEveryKindAreRefused) {
    HMENU system_menu = ::GetSystemMenu(Window(), FALSE);
    ASSERT_NE(system_menu, nullptr);
    EXPECT_NE(::GetMenuState(system_menu, SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1)) << "the menu has a Close";
    HHOOK hook = ::SetWindowsHookExW(WH_CALLWNDPROC, CountCloseRequests, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    HHOOK posted_hook = ::SetWindowsHookExW(WH_GETMESSAGE, CountPostedCloseRequests, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(posted_hook, nullptr);
    g_close_requests = 0;
    ::ShowWindow(Window(), SW_HIDE);

    int after_close = -1, after_box = -1, after_menu = -1, after_keys = -1;
    POINT close_box{-1, -1};
    bool up_after_all = false;
    RunStepsFromTimer({
        [&] { ::SetForegroundWindow(Window()); },
        [&] {
            ::SendMessageW(Window(), WM_CLOSE, 0, 0);
            after_close = g_close_requests;
        },
        [&] {  // a real click on the close box, through the system's mouse input
            close_box = CloseBoxPoint();
            ::SetCursorPos(close_box.x, close_box.y);
            INPUT clicks[2] = {};
            clicks[0].type = clicks[1].type = INPUT_MOUSE;
            clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
            clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
            ::SendInput(2, clicks, sizeof(INPUT));
        },
        [&] { after_box = g_close_requests; },
        [&] {  // the system menu's Close, chosen with the keyboard
            ::SendMessageW(Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
            after_menu = g_close_requests;
        },
        [&] { PressKeys({VK_MENU, VK_F4}); },
        [&] { PressKeys({VK_ESCAPE}); },
        [&] {
            after_keys = g_close_requests;
            up_after_all = ::IsWindow(Window()) && ::IsWindowVisible(Window());
            Click(Ctl(sq::IDC_CMD_SAVE));
        },
        [&] { ::ShowWindow(Window(), SW_HIDE); },
    }, 150);
    ASSERT_EQ(frmMain::Instance().ShowModal(), S_OK);
    ::UnhookWindowsHookEx(hook);
    ::UnhookWindowsHookEx(posted_hook);
    EXPECT_EQ(after_close, 1);
    EXPECT_GE(close_box.x, 0) << "the caption has a close box";
    EXPECT_EQ(after_box, 2) << "the click on the close box asked the window to close";
    EXPECT_EQ(after_menu, 3);
    EXPECT_GE(after_keys, 4) << "Alt+F4 reached the window as a close request";
    EXPECT_TRUE(up_after_all) << "the window is still up after every close request";
    EXPECT_TRUE(::IsWindow(Window()));
    PumpFor(300);
}

TEST_F(FrmMainWindow, EditorBrowseCancelReopenAndUpdate) {
    ClearSettings();
    Click(Ctl(sq::IDC_CMD_EXCLUDE));
    ASSERT_TRUE(Visible(sq::IDC_FRA_FOLDER_EX));
    ASSERT_TRUE(Visible(sq::IDC_LST_FOLDERS));
    BrowseFromRoot({L"sq_frm_main", L"Music"});
    HWND list = Ctl(sq::IDC_LST_FOLDERS);
    const std::vector<std::wstring> music = {L"C:\\", L"sq_frm_main", L"Music", L"Ambient", L"Live", L"Studio"};
    ASSERT_EQ(ListItems(list), music);
    EXPECT_EQ(Selected(list), 2) << "the opened folder is highlighted";

    ClickItem(list, 5);
    EXPECT_EQ(Selected(list), 5) << "a single click highlights";
    EXPECT_EQ(ListItems(list), music) << "but opens nothing";

    Click(Ctl(sq::IDC_CMD_CANCEL));
    EXPECT_FALSE(Visible(sq::IDC_FRA_FOLDER_EX));
    EXPECT_FALSE(ReadRaw(L"Exclude").has_value()) << "Cancel stores nothing";

    Click(Ctl(sq::IDC_CMD_EXCLUDE));
    EXPECT_EQ(ListItems(list), music) << "the editor opens where it was left";
    Click(Ctl(sq::IDC_CMD_OK));
    EXPECT_EQ(ReadRaw(L"Exclude"), std::optional<std::wstring>(kMusic)) << "the current folder, not the highlighted one";
    EXPECT_FALSE(Visible(sq::IDC_FRA_FOLDER_EX));

    Click(Ctl(sq::IDC_CMD_EXCLUDE));
    DoubleClickItem(list, 4);
    const std::vector<std::wstring> live = {L"C:\\", L"sq_frm_main", L"Music", L"Live", L"Encores"};
    EXPECT_EQ(ListItems(list), live);
    Click(Ctl(sq::IDC_CMD_OK));
    EXPECT_EQ(ReadRaw(L"Exclude"), std::optional<std::wstring>(kMusic + L"\\Live"));
}

TEST_F(FrmMainWindow, EditorGoesUpToAncestorsAndStoresARootWithItsBackslash) {
    Click(Ctl(sq::IDC_CMD_EXCLUDE));
    BrowseFromRoot({L"sq_frm_main", L"Music", L"Live"});
    HWND list = Ctl(sq::IDC_LST_FOLDERS);
    DoubleClickItem(list, 1);
    const std::vector<std::wstring> up = {L"C:\\", L"sq_frm_main", L"Music", L"Start"};
    EXPECT_EQ(ListItems(list), up);
    DoubleClickItem(list, 0);
    EXPECT_EQ(ListItems(list)[0], L"C:\\");
    EXPECT_GE(IndexOf(ListItems(list), L"sq_frm_main"), 1);
    Click(Ctl(sq::IDC_CMD_OK));
    EXPECT_EQ(ReadRaw(L"Exclude"), std::optional<std::wstring>(L"C:\\"));
}

TEST_F(FrmMainWindow, RemoveClearsTheStoredFolderAndKeepsTheList) {
    StoreRaw(L"Exclude", kMusic);
    Click(Ctl(sq::IDC_CMD_EXCLUDE));
    const auto before = ListItems(Ctl(sq::IDC_LST_FOLDERS));
    Click(Ctl(sq::IDC_CMD_REMOVE));
    EXPECT_EQ(ReadRaw(L"Exclude"), std::optional<std::wstring>(L""));
    EXPECT_FALSE(Visible(sq::IDC_FRA_FOLDER_EX));
    Click(Ctl(sq::IDC_CMD_EXCLUDE));
    EXPECT_EQ(ListItems(Ctl(sq::IDC_LST_FOLDERS)), before) << "Remove does not move the list";
    ClearSettings();
    Click(Ctl(sq::IDC_CMD_REMOVE));
    EXPECT_EQ(ReadRaw(L"Exclude"), std::optional<std::wstring>(L"")) << "Remove with nothing stored leaves it empty";
}

TEST_F(FrmMainWindow, AFolderThatCannotBeOpenedLeavesTheListWhereItWas) {
    Click(Ctl(sq::IDC_CMD_EXCLUDE));
    BrowseFromRoot({L"sq_frm_main", L"Music"});
    HWND list = Ctl(sq::IDC_LST_FOLDERS);
    const auto before = ListItems(list);
    const std::wstring studio = kMusic + L"\\Studio";
    ASSERT_TRUE(::RemoveDirectoryW(studio.c_str()));
    DoubleClickItem(list, IndexOf(before, L"Studio"));
    EXPECT_EQ(ListItems(list), before);
    Click(Ctl(sq::IDC_CMD_OK));
    EXPECT_EQ(ReadRaw(L"Exclude"), std::optional<std::wstring>(kMusic));
    MakeFolders(studio);
}

TEST_F(FrmMainWindow, ChoosingADriveMovesTheListToThatDrivesFolder) {
    Click(Ctl(sq::IDC_CMD_EXCLUDE));
    HWND list = Ctl(sq::IDC_LST_FOLDERS);
    // The process works on Z: (the program's folder) and remembers a folder of its own for C:.
    const std::wstring program = sqtest::ProgramFolder();
    ASSERT_TRUE(::SetCurrentDirectoryW(program.c_str()));
    ASSERT_TRUE(::SetEnvironmentVariableW(L"=C:", (kMusic + L"\\Live").c_str()));

    ChooseDrive(L'z');
    EXPECT_EQ(SelectedDrive(), L"z:");
    const auto on_z = ListItems(list);
    ASSERT_FALSE(on_z.empty());
    EXPECT_EQ(on_z[0], L"Z:\\") << "the list moved to drive Z:'s current folder";

    ChooseDrive(L'c');
    EXPECT_EQ(SelectedDrive(), L"c:");
    const std::vector<std::wstring> live = {L"C:\\", L"sq_frm_main", L"Music", L"Live", L"Encores"};
    EXPECT_EQ(ListItems(list), live);

    // A drive whose folder cannot be read: both lists stay where they were, and nothing is said.
    ChooseDrive(L'z');
    ASSERT_TRUE(::SetEnvironmentVariableW(L"=C:", (std::wstring(kTestRoot) + L"\\Gone").c_str()));
    const auto before = ListItems(list);
    ChooseDrive(L'c');
    EXPECT_EQ(ListItems(list), before);
    EXPECT_EQ(SelectedDrive(), L"z:") << "the drive list goes back to the drive the folder list is on";
    Click(Ctl(sq::IDC_CMD_CANCEL));
    ::SetCurrentDirectoryW((std::wstring(kTestRoot) + L"\\Start").c_str());
}

// Copies the window, frame and all, from the screen into a PNG beside the build's other output.
std::wstring SaveScreenshot(const wchar_t* name) {
    Repaint();
    RECT rc{};
    ::GetWindowRect(Window(), &rc);
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, rc.left, rc.top, SRCCOPY);
    ::GdiFlush();
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    const auto* source = static_cast<const uint8_t*>(bits);
    for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
        rgb[i * 3] = source[i * 4 + 2];
        rgb[i * 3 + 1] = source[i * 4 + 1];
        rgb[i * 3 + 2] = source[i * 4];
    }
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    const std::wstring folder = sqtest::ProgramFolder() + L"..\\screenshots\\";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring path = folder + name;
    return sqtest::WritePng(path, width, height, rgb) ? path : L"";
}

TEST_F(FrmMainWindow, ScreenshotsWithAndWithoutTheEditor) {
    ::SetWindowPos(Window(), HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    ::SetFocus(Ctl(sq::IDC_TXT_USER));
    ::SetWindowTextW(Ctl(sq::IDC_TXT_USER), L"robin");
    ::SendMessageW(Ctl(sq::IDC_TXT_USER), EM_SETSEL, 5, 5);
    ::SetWindowTextW(Ctl(sq::IDC_TXT_PASS), L"secret");
    const std::wstring plain = SaveScreenshot(L"frmMain.png");
    EXPECT_FALSE(plain.empty());
    Click(Ctl(sq::IDC_CMD_EXCLUDE));
    // Back to drive C: through the drive list, then down to the test's music folder.
    ::SetCurrentDirectoryW(sqtest::ProgramFolder().c_str());
    ::SetEnvironmentVariableW(L"=C:", kMusic.c_str());
    ChooseDrive(L'z');
    ChooseDrive(L'c');
    ::SetCurrentDirectoryW((std::wstring(kTestRoot) + L"\\Start").c_str());
    ::SetFocus(Ctl(sq::IDC_LST_FOLDERS));
    const std::wstring editor = SaveScreenshot(L"frmMain_folder_editor.png");
    EXPECT_FALSE(editor.empty());
    Click(Ctl(sq::IDC_CMD_CANCEL));
    for (const std::wstring& path : {plain, editor}) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        EXPECT_TRUE(::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data));
        EXPECT_GT(data.nFileSizeLow, 300000u) << "an uncompressed picture of the whole window";
    }
}

}  // namespace
