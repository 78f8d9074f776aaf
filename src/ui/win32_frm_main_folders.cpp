#include "ui/win32_frm_main_folders.h"

#include <cctype>

#include "common/win32_ansi_text.h"
#include "ui/win32_folder_editor_start.h"
#include "ui/win32_frm_main_layout.h"
#include "common/win32_settings_store.h"

namespace sq {
namespace {

// How long the player's thread waits for the drives' labels and the first folders: a drive that
// answers later is listed by its letter, and a folder that answers later counts as unreadable.
constexpr DWORD kDriveAnswerWaitMs = 1000;

// Shows or hides fraFolderEx with everything in it. A hidden editor must not keep the keyboard
// focus, or the window would stop answering keys: it goes to "&Excludes Folder".
void ShowFolderEditor(HWND window, bool show) {
    HWND focus = ::GetFocus();
    bool focus_inside = false;
    for (const ControlLayout& row : MainWindowControls()) {
        if (!InFolderEditor(row) || IsDrawn(row)) continue;
        HWND control = ::GetDlgItem(window, row.id);
        if (!control) continue;
        if (focus && (focus == control || ::IsChild(control, focus))) focus_inside = true;
        ::ShowWindow(control, show ? SW_SHOWNA : SW_HIDE);
    }
    if (!show && focus_inside) ::SetFocus(::GetDlgItem(window, IDC_CMD_EXCLUDE));
}

int DriveIndexOf(const std::vector<DriveEntry>& drives, char letter) {
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    for (size_t i = 0; i < drives.size(); ++i)
        if (drives[i].letter == upper) return static_cast<int>(i);
    return -1;
}

void ShowEntries(HWND list, const FolderListModel& model) {
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const FolderListEntry& entry : model.Entries()) {
        const LRESULT index =
            ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromAnsi(entry.name).c_str()));
        if (index >= 0) ::SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(index), FolderListItemData(entry));
    }
    ::SendMessageW(list, LB_SETCURSEL, model.CurrentIndex(), 0);
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, TRUE);
}

void ShowDrives(HWND combo, const std::vector<DriveEntry>& drives, int chosen) {
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const DriveEntry& drive : drives)
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromAnsi(drive.caption).c_str()));
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
}

// Moves the folder list to `folder` (and shows it, once the list exists). A folder that cannot
// be read leaves the list where it was.
bool OpenFolder(HWND list, FolderListModel& model, const std::string& folder) {
    std::vector<std::string> names;
    if (!ReadSubfolders(folder, names)) return false;
    if (!model.Open(folder, std::move(names))) return false;
    if (list) ShowEntries(list, model);
    return true;
}

}  // namespace

void frmMain::OpenFolderListAtStoredFolder() {
    if (!folders_) folders_ = std::make_unique<Folders>();
    // Both lists start on the process's current folder and its drive; then the folder list moves
    // to the stored folder, if there is one it can open. A drive may take many seconds to answer,
    // and the window is loaded as the player starts: nothing is read from one until it is shown.
    folders_->start = ProcessCurrentFolder();
    folders_->stored = settings::Get(kExclude);
}

void frmMain::Folders::ReadOnce() {
    if (read) return;
    read = true;
    FolderEditorStart found = ReadFolderEditorStart(::GetLogicalDrives(), start, stored, kDriveAnswerWaitMs);
    drives = std::move(found.drives);
    drive_index = start.empty() ? -1 : DriveIndexOf(drives, start[0]);
    if (found.start.read) list.Open(start, std::move(found.start.names));
    if (!stored.empty() && found.stored.read) list.Open(stored, std::move(found.stored.names));
}

void frmMain::FillFolderEditor() const {
    if (!folders_) return;
    folders_->ReadOnce();
    if (HWND drives = ::GetDlgItem(hwnd_, IDC_LST_DRIVE)) ShowDrives(drives, folders_->drives, folders_->drive_index);
    if (HWND list = ::GetDlgItem(hwnd_, IDC_LST_FOLDERS)) {
        if (!folders_->list.Entries().empty()) ShowEntries(list, folders_->list);
    }
}

void frmMain::cmdExclude_Click() {
    CreateFolderEditor();
    ShowFolderEditor(hwnd_, true);
}

void frmMain::cmdOk_Click() {
    if (folders_) settings::Save(kExclude, folders_->list.Current());
    ShowFolderEditor(hwnd_, false);
}

void frmMain::cmdRemove_Click() {
    settings::Save(kExclude, std::string());
    ShowFolderEditor(hwnd_, false);
}

void frmMain::cmdCancel_Click() { ShowFolderEditor(hwnd_, false); }

void frmMain::lstDrive_Change() {
    if (!folders_) return;
    HWND drives = Control(IDC_LST_DRIVE);
    const LRESULT chosen = ::SendMessageW(drives, CB_GETCURSEL, 0, 0);
    if (chosen < 0 || static_cast<size_t>(chosen) >= folders_->drives.size()) return;
    const std::string folder = DriveCurrentFolder(folders_->drives[static_cast<size_t>(chosen)].letter);
    if (!folder.empty() && OpenFolder(Control(IDC_LST_FOLDERS), folders_->list, folder)) {
        folders_->drive_index = static_cast<int>(chosen);
        return;
    }
    // The drive cannot be read: both lists stay where they were.
    ::SendMessageW(drives, CB_SETCURSEL, static_cast<WPARAM>(folders_->drive_index), 0);
}

void frmMain::lstFolders_DblClick() {
    if (!folders_) return;
    const LRESULT index = ::SendMessageW(Control(IDC_LST_FOLDERS), LB_GETCURSEL, 0, 0);
    if (index < 0) return;
    const std::string folder = folders_->list.PathOf(static_cast<size_t>(index));
    if (!folder.empty()) OpenFolder(Control(IDC_LST_FOLDERS), folders_->list, folder);
}

}  // namespace sq
