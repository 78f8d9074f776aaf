#include "ui/win32_folder_list.h"

#include "common/win32_ansi_text.h"
#include "common/win32_error_mode.h"
#include "common/win32_gdi_scope.h"
#include "common/path_text.h"
#include "common/win32_unique_handle.h"
#include "ui/win32_opaque_fill.h"

namespace sq {
namespace {

constexpr LPARAM kOpenFlag = 0x10000;

// A 13 x 10 folder at 96 dpi: a tab and a body, with a lighter front flap when it is open.
void DrawFolderPicture(HDC dc, int x, int y, bool open, int dpi) {
    auto px = [dpi](int v) { return ::MulDiv(v, dpi, 96); };
    const COLORREF outline = RGB(128, 128, 0);
    const COLORREF body = RGB(255, 255, 0);
    FillOpaque(dc, {x, y, x + px(6), y + px(3)}, outline);                        // tab
    FillOpaque(dc, {x, y + px(2), x + px(13), y + px(10)}, outline);              // outline
    FillOpaque(dc, {x + px(1), y + px(3), x + px(12), y + px(9)}, body);          // inside
    if (open) FillOpaque(dc, {x + px(3), y + px(5), x + px(13), y + px(10)}, RGB(255, 255, 255));  // flap
    if (open) FillOpaque(dc, {x + px(4), y + px(6), x + px(12), y + px(9)}, body);
}

}  // namespace

bool ReadSubfolders(const std::string& folder, std::vector<std::string>& names) {
    NoCriticalErrorBox quiet;
    const std::wstring path = WithTrailingBackslash(WideFromAnsi(folder));
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    std::vector<std::string> found;
    WIN32_FIND_DATAW data{};
    UniqueFind find(::FindFirstFileW((path + L"*").c_str(), &data));
    if (!find) {
        if (::GetLastError() != ERROR_FILE_NOT_FOUND) return false;
        names.clear();  // an empty root has no entries at all
        return true;
    }
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        found.push_back(AnsiFromWide(name));
    } while (::FindNextFileW(find.get(), &data));
    names = std::move(found);
    return true;
}

std::string ProcessCurrentFolder() {
    const DWORD needed = ::GetCurrentDirectoryW(0, nullptr);
    if (needed == 0) return {};
    std::wstring path(needed, L'\0');
    const DWORD got = ::GetCurrentDirectoryW(needed, path.data());
    if (got == 0 || got >= needed) return {};
    path.resize(got);
    return AnsiFromWide(path);
}

std::string DriveCurrentFolder(char letter) {
    // "X:" alone names the drive's current folder, which the process keeps per drive.
    const wchar_t drive[3] = {static_cast<wchar_t>(static_cast<unsigned char>(letter)), L':', L'\0'};
    wchar_t path[MAX_PATH] = {};
    const DWORD got = ::GetFullPathNameW(drive, MAX_PATH, path, nullptr);
    if (got == 0 || got >= MAX_PATH) return {};
    return AnsiFromWide(path, got);
}

std::vector<DriveEntry> ListDrives(DWORD mask) {
    std::vector<DriveEntry> drives;
    for (const char letter : DriveLetters(mask)) {
        const wchar_t root[4] = {static_cast<wchar_t>(letter), L':', L'\\', L'\0'};
        const UINT type = ::GetDriveTypeW(root);
        std::string label;
        // Only drives that are always there are asked for their label: a removable one may be empty.
        if (type == DRIVE_FIXED || type == DRIVE_REMOTE || type == DRIVE_RAMDISK) {
            NoCriticalErrorBox quiet;
            wchar_t volume[MAX_PATH + 1] = {};
            if (::GetVolumeInformationW(root, volume, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0))
                label = AnsiFromWide(volume, wcslen(volume));
        }
        drives.push_back({letter, DriveCaption(letter, label)});
    }
    return drives;
}

void LookAt(const std::string& path) {
    NoCriticalErrorBox quiet;
    const std::wstring wide = WideFromAnsi(path);
    // Under Wine a drive's root gives its attributes without asking the drive.
    if (path.size() == 3 && path[1] == ':')
        ::GetVolumeInformationW(wide.c_str(), nullptr, 0, nullptr, nullptr, nullptr, nullptr, 0);
    else
        ::GetFileAttributesW(wide.c_str());
}

void SizeFolderListItems(HWND list) {
    TEXTMETRICW metrics{};
    int dpi = 0;
    {
        const WindowDc dc(list);
        if (!dc) return;
        const SelectedObject font(dc.get(), reinterpret_cast<HGDIOBJ>(::SendMessageW(list, WM_GETFONT, 0, 0)));
        ::GetTextMetricsW(dc.get(), &metrics);
        dpi = ::GetDeviceCaps(dc.get(), LOGPIXELSY);
    }
    const int picture = ::MulDiv(12, dpi > 0 ? dpi : 96, 96);
    const int height = (metrics.tmHeight > picture ? metrics.tmHeight : picture) + 2;
    ::SendMessageW(list, LB_SETITEMHEIGHT, 0, height);
}

LPARAM FolderListItemData(const FolderListEntry& entry) {
    return static_cast<LPARAM>(entry.level) | (entry.open ? kOpenFlag : 0);
}

void DrawFolderListItem(const DRAWITEMSTRUCT& item, int dpi) {
    if (item.itemID == static_cast<UINT>(-1)) return;
    HDC dc = item.hDC;
    const RECT box = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillOpaque(dc, box, ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));

    const int level = static_cast<int>(item.itemData & 0xFFFF);
    const bool open = (item.itemData & kOpenFlag) != 0;
    const int indent = ::MulDiv(7, dpi, 96);
    const int x = box.left + ::MulDiv(2, dpi, 96) + level * indent;
    const int height = box.bottom - box.top;
    DrawFolderPicture(dc, x, box.top + (height - ::MulDiv(10, dpi, 96)) / 2, open, dpi);

    const LRESULT length = ::SendMessageW(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0);
    if (length > 0) {
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        const LRESULT got = ::SendMessageW(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
        text.resize(got > 0 ? static_cast<size_t>(got) : 0);
        RECT text_box{x + ::MulDiv(17, dpi, 96), box.top, box.right, box.bottom};
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &text_box,
                    DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if (item.itemState & ODS_FOCUS) ::DrawFocusRect(dc, &box);
}

}  // namespace sq
