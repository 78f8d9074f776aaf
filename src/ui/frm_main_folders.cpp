#include "ui/frm_main_folders.h"

namespace sq {

// The excluded-folder editor arrives with the control window's full layout.
void frmMain::OpenFolderListAtStoredFolder() {}
void frmMain::cmdExclude_Click() {}
void frmMain::cmdOk_Click() {}
void frmMain::cmdRemove_Click() {}
void frmMain::cmdCancel_Click() {}
void frmMain::lstDrive_Change() {}
void frmMain::lstFolders_DblClick() {}
bool frmMain::HandleFolderMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

}  // namespace sq
