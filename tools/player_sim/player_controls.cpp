#include "player_controls.h"

namespace sim {
namespace {

constexpr int kListId = 200;
constexpr int kNowPlayingId = 201;

HWND Child(HWND parent, DWORD ex_style, const char* type, const char* text, DWORD style, RECT at, int id) {
    return ::CreateWindowExA(ex_style, type, text, WS_CHILD | WS_VISIBLE | style, at.left, at.top, at.right, at.bottom,
                             parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             ::GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

HMENU MakeMenuBar() {
    HMENU bar = ::CreateMenu();
    HMENU play = ::CreatePopupMenu();
    ::AppendMenuA(play, MF_STRING, kCmdNext, "&Next song");
    ::AppendMenuA(play, MF_STRING, kCmdPlay, "&Play");
    ::AppendMenuA(play, MF_STRING, kCmdPause, "P&ause");
    ::AppendMenuA(play, MF_STRING, kCmdStop, "&Stop");
    ::AppendMenuA(play, MF_STRING, kCmdExit, "E&xit");
    ::AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(play), "&Play");
    return bar;
}

void AddControls(HWND player) {
    const HWND children[] = {
        Child(player, 0, "Static", "", 0, {8, 8, 530, 20}, kNowPlayingId),
        Child(player, 0, "Static", "General purpose plug-ins:", 0, {8, 36, 530, 18}, 0),
        Child(player, WS_EX_CLIENTEDGE, "ListBox", "", WS_VSCROLL | LBS_NOINTEGRALHEIGHT, {8, 56, 530, 110}, kListId),
    };
    const auto font = reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT));
    for (HWND child : children) ::SendMessageW(child, WM_SETFONT, font, TRUE);
}

void ShowNowPlaying(HWND player, const std::wstring& line) { ::SetDlgItemTextW(player, kNowPlayingId, line.c_str()); }

void RefreshPluginList(HWND player, const GenPlugins& plugins, bool removable) {
    HWND list = ::GetDlgItem(player, kListId);
    ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
    HMENU menu = ::CreatePopupMenu();
    for (size_t i = 0; i < plugins.plugins().size(); ++i) {
        const LoadedPlugin& plugin = plugins.plugins()[i];
        const std::string text = plugin.ListText();
        ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        const std::string name = plugin.Description().empty() ? plugin.file : plugin.Description();
        const UINT id = static_cast<UINT>(i);
        ::AppendMenuA(menu, plugin.running() ? MF_STRING : MF_STRING | MF_GRAYED, kCmdConfigBase + id,
                      ("Configure " + name).c_str());
        if (removable) {
            ::AppendMenuA(menu, plugin.module ? MF_STRING : MF_STRING | MF_GRAYED, kCmdUninstallBase + id,
                          ("Uninstall " + name).c_str());
        }
    }
    if (plugins.plugins().empty()) ::AppendMenuA(menu, MF_STRING | MF_GRAYED, kCmdConfigBase, "(none)");
    HMENU bar = ::GetMenu(player);
    if (::GetMenuItemCount(bar) > 1) ::DeleteMenu(bar, 1, MF_BYPOSITION);
    ::AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), "Plug-&ins");
    ::DrawMenuBar(player);
}

}  // namespace sim
