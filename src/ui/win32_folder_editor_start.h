#pragma once
// What the excluded-folder editor starts on: the drives with their labels, and the sub-folders of
// the folders the list opens at. A sleeping network disk or a lost share can take many seconds
// to answer any of it, and the player's thread must not wait for that on a drive the user has
// not asked for: each read runs on a thread of its own, and the caller waits a bounded time.
// Each thread first only looks at its drive or folder (LookAt), and reads it only if the caller
// is still waiting: under Wine a read of a drive that hangs would hold up the player's thread too.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/win32_folder_list.h"

namespace sq {

// The file-system calls behind it (tests put slow stand-ins in their place).
struct FolderReads {
    void (*look_at)(const std::string& path) = &LookAt;
    std::vector<DriveEntry> (*list_drives)(DWORD drive_mask) = &ListDrives;
    bool (*read_subfolders)(const std::string& folder, std::vector<std::string>& names) = &ReadSubfolders;
};

struct SubfolderRead {
    bool read = false;  // false when the folder cannot be opened, or did not answer in time
    std::vector<std::string> names;
};

struct FolderEditorStart {
    // Every drive of the mask, in order; one whose caption came too late is shown by its letter.
    std::vector<DriveEntry> drives;
    SubfolderRead start;
    SubfolderRead stored;  // not read when no folder is stored
};

// Reads the drives of `drive_mask` (bit 0 for A:) and the sub-folders of `start` and `stored`,
// side by side, and returns what has answered after at most `wait_ms`. A read that answers later
// finishes on its own thread and is thrown away.
FolderEditorStart ReadFolderEditorStart(DWORD drive_mask, const std::string& start, const std::string& stored,
                                        DWORD wait_ms, const FolderReads& reads = {});

}  // namespace sq
