// The load sequence, each case in a process of its own (the window loads once per process).
#include <gtest/gtest.h>

#include "frm_main_fixture.h"
#include "ui/win32_frm_main.h"

namespace {

using namespace uitest;
using sq::frmMain;

HWND FolderList() { return frmMain::Instance().Control(sq::IDC_LST_FOLDERS); }

// Opens the folder editor and presses "&Update Folder Settings": the stored text is the list's
// current folder, which the user cannot read from the window in any other way.
std::optional<std::wstring> CurrentFolderAsStored() {
    frmMain& form = frmMain::Instance();
    ::ShowWindow(form.hwnd(), SW_SHOW);
    Click(form.Control(sq::IDC_CMD_EXCLUDE));
    Click(form.Control(sq::IDC_CMD_OK));
    return ReadRaw(L"Exclude");
}

class LoadSequence : public ::testing::Test {
protected:
    void SetUp() override {
        ClearSettings();
        MakeTestFolders();
        ASSERT_TRUE(::SetCurrentDirectoryW((std::wstring(kTestRoot) + L"\\Start").c_str()));
    }
    void TearDown() override { ClearSettings(); }
};

TEST_F(LoadSequence, NothingStoredGivesEmptyFieldsAndTheProcessFolder) {
    ASSERT_EQ(frmMain::Instance().Load(), S_OK);
    frmMain& form = frmMain::Instance();
    EXPECT_EQ(form.ControlText(sq::IDC_TXT_USER), "");
    EXPECT_EQ(form.ControlText(sq::IDC_TXT_PASS), "");
    EXPECT_EQ(form.ControlText(sq::IDC_LBL_TIME), "50 sec");
    EXPECT_FALSE(ReadRaw(L"Username").has_value()) << "loading stores nothing";
    EXPECT_FALSE(ReadRaw(L"Exclude").has_value()) << "the folder is stored only by the editor";
    const std::vector<std::wstring> expected = {L"C:\\", L"sq_frm_main", L"Start"};
    EXPECT_EQ(ListItems(FolderList()), expected);
    EXPECT_EQ(::SendMessageW(FolderList(), LB_GETCURSEL, 0, 0), 2) << "the current folder is highlighted";
    HWND drives = form.Control(sq::IDC_LST_DRIVE);
    const LRESULT drive = ::SendMessageW(drives, CB_GETCURSEL, 0, 0);
    ASSERT_GE(drive, 0);
    EXPECT_EQ(ComboItems(drives)[static_cast<size_t>(drive)].substr(0, 2), L"c:") << "the drive list is on the process's drive";
    EXPECT_EQ(CurrentFolderAsStored(), std::optional<std::wstring>(L"C:\\sq_frm_main\\Start"));
}

TEST_F(LoadSequence, StoredAccountAndFolderAreLoaded) {
    StoreRaw(L"Username", L" user name ");
    StoreRaw(L"Password", L"p@ss w0rd; & \"more\"");
    StoreRaw(L"Exclude", L"C:\\sq_frm_main\\Music");
    ASSERT_EQ(frmMain::Instance().Load(), S_OK);
    frmMain& form = frmMain::Instance();
    EXPECT_EQ(form.ControlText(sq::IDC_TXT_USER), " user name ");
    EXPECT_EQ(form.ControlText(sq::IDC_TXT_PASS), "p@ss w0rd; & \"more\"");
    const std::vector<std::wstring> expected = {L"C:\\", L"sq_frm_main", L"Music", L"Ambient", L"Live", L"Studio"};
    EXPECT_EQ(ListItems(FolderList()), expected) << "ancestors, the folder, then its sub-folders sorted; no files";
    EXPECT_EQ(::SendMessageW(FolderList(), LB_GETCURSEL, 0, 0), 2);
    // Loading twice runs the sequence once: a changed store is not read again.
    StoreRaw(L"Username", L"changed");
    ASSERT_EQ(form.Load(), S_OK);
    EXPECT_EQ(form.ControlText(sq::IDC_TXT_USER), " user name ");
    EXPECT_EQ(CurrentFolderAsStored(), std::optional<std::wstring>(L"C:\\sq_frm_main\\Music"))
        << "pressing Update without browsing stores the folder the list was opened at";
}

TEST_F(LoadSequence, AStoredFolderThatIsGoneLeavesTheListAtTheProcessFolder) {
    StoreRaw(L"Exclude", L"C:\\sq_frm_main\\No Longer Here");
    ASSERT_EQ(frmMain::Instance().Load(), S_OK);
    const std::vector<std::wstring> expected = {L"C:\\", L"sq_frm_main", L"Start"};
    EXPECT_EQ(ListItems(FolderList()), expected);
    EXPECT_EQ(ReadRaw(L"Exclude"), std::optional<std::wstring>(L"C:\\sq_frm_main\\No Longer Here"))
        << "the old path stays stored";
}

TEST_F(LoadSequence, NothingIsReadFromADriveBeforeTheWindowIsFirstShown) {
    StoreRaw(L"Exclude", L"C:\\sq_frm_main\\Music");
    ASSERT_EQ(frmMain::Instance().Load(), S_OK);
    frmMain& form = frmMain::Instance();
    // Made after the load and gone again after the first show: only a read at that show lists it.
    const std::wstring made = std::wstring(kTestRoot) + L"\\Music\\Made After Load";
    MakeFolders(made);
    ::ShowWindow(form.hwnd(), SW_SHOW);
    ASSERT_TRUE(::RemoveDirectoryW(made.c_str()));
    const std::vector<std::wstring> expected = {L"C:\\", L"sq_frm_main", L"Music", L"Ambient", L"Live",
                                                L"Made After Load", L"Studio"};
    EXPECT_EQ(ListItems(FolderList()), expected);
}

}  // namespace
