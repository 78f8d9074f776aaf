#pragma once
#include <vector>

#include "ui/folder_list.h"
#include "ui/folder_path.h"
#include "ui/frm_main.h"

namespace sq {

// The excluded-folder editor's state: the folder list's current folder and what it shows, and
// the drives in the drive list.
struct frmMain::Folders {
    FolderListModel list;
    std::vector<DriveEntry> drives;
    int drive_index = -1;  // the drive chosen last, restored when a chosen drive cannot be read
};

}  // namespace sq
