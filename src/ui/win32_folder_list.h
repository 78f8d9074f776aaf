#pragma once
// The file-system side of the excluded-folder editor: the drives, the folders on them, and how
// one entry of the folder list is drawn.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/folder_path.h"

namespace sq {

// Names of the sub-folders of `folder` (in the order the file system gives them); false when
// the folder cannot be opened, for example on a drive with no medium in it.
bool ReadSubfolders(const std::string& folder, std::vector<std::string>& names);

// The process's current folder, and the current folder it keeps for drive `letter`.
std::string ProcessCurrentFolder();
std::string DriveCurrentFolder(char letter);

struct DriveEntry {
    char letter;          // upper case
    std::string caption;  // "c: [label]", as a drive list shows it
};
// The drives of `mask` (bit 0 for A:), each asked for its label unless it may hold no medium.
std::vector<DriveEntry> ListDrives(DWORD mask);

// Waits until the drive of `path` answers, opening nothing: a drive's root ("X:\\") is asked for
// its volume, a folder for its attributes. Under Wine, asking a drive that hangs for its type, or
// listing a folder on it, holds up every other thread's file opens meanwhile; this holds up only
// the calling thread.
void LookAt(const std::string& path);

// Item height of the folder list, from its font, with room for the folder pictures.
void SizeFolderListItems(HWND list);
// Draws one entry: indented by its level, an open or closed folder, then the name.
void DrawFolderListItem(const DRAWITEMSTRUCT& item, int dpi);
// The item data that DrawFolderListItem reads back for an entry.
LPARAM FolderListItemData(const FolderListEntry& entry);

}  // namespace sq
