#pragma once
#include <string>
#include <vector>

#include "common/win32_ansi_text.h"
#include "ui/win32_folder_list.h"
#include "ui/folder_path.h"
#include "ui/win32_frm_main.h"

namespace sq {

// The excluded-folder editor's state: the folder list's current folder and what it shows, and
// the drives in the drive list.
struct frmMain::Folders {
    FolderListModel list{&IsCodePageLeadByte};
    std::vector<DriveEntry> drives;
    int drive_index = -1;  // the drive chosen last, restored when a chosen drive cannot be read

    // Noted by the load, which reads nothing from any drive: the folders the list opens at.
    std::string start;   // the process's current folder
    std::string stored;  // the stored excluded folder
    bool read = false;
    // Fills the lists from the drives once, when the window is first shown or the editor first made.
    void ReadOnce();
};

}  // namespace sq
