#pragma once
// frmMain: the plug-in's only window. It is created hidden when the component is initialised,
// lives as long as the component is loaded, and carries the countdown timer, the transfer control
// and the one link to the player (the window the host handed over, or the one found by class).
// Each concern lives in its own file, and each window message is handled in one:
// - frm_main_window.cpp: the window (class, creation, load sequence, modal show, close refusal),
//   the routing of its messages, its commands and keys, and the controls' texts;
// - frm_main_layout.cpp: the controls, made from the one table of frm_main_layout.h;
// - frm_main_paint.cpp: what the window draws itself: owner-drawn controls, rules, colours;
// - frm_main_account.cpp: the account fields;
// - frm_main_folders.cpp: the excluded-folder editor;
// - frm_main_tick.cpp: the countdown tick, which reads the player once and, when a song is due,
//   reads that song and hands it to the submission run kept next to the window
//   (frm_main_submission.h).
// The parts include this header, and only frm_main_window.cpp includes theirs.
#include <windows.h>

#include <memory>
#include <string>

#include "player/player_window.h"
#include "player/winamp_mod.h"
#include "ui/countdown.h"

namespace sq {

struct ControlLayout;

// Control identifiers, used for WM_COMMAND routing and by tests that find the controls.
enum ControlId : int {
    IDC_TXT_USER = 101,
    IDC_TXT_PASS,
    IDC_CMD_SAVE,
    IDC_CMD_EXCLUDE,
    IDC_LST_DRIVE,
    IDC_LST_FOLDERS,
    IDC_CMD_OK,
    IDC_CMD_REMOVE,
    IDC_CMD_CANCEL,
    IDC_LBL_CONNECTED,
    IDC_LBL_TIME,
    IDC_LBL_RESPONSE,
    IDC_LBL_LAST_TIME,
    IDC_FRA_FOLDER_EX,
    IDC_PCT_TOP_HOLDER,
    IDC_IMG_LOGO,
    IDC_LBL_NOTICE0,
    IDC_LBL_NOTICE1,
    IDC_LBL_USERNAME,
    IDC_LBL_PASSWORD,
    IDC_LBL_REQUIRED0,
    IDC_LBL_REQUIRED1,
    IDC_LBL_STATUS0,
    IDC_LBL_STATUS1,
    IDC_LBL_STATUS2,
    IDC_LBL_STATUS3,
    IDC_LBL_STATUS4,
    IDC_LBL_INFO,
};

// Window class name of frmMain, so that hosts and tests can find it.
inline constexpr wchar_t kMainWindowClass[] = L"Sonoquill_frmMain";
inline constexpr UINT_PTR kCountDownTimerId = 1;
inline constexpr UINT kCountDownIntervalMs = 1000;

class frmMain {
public:
    // The single instance, created on first use and never destroyed while the DLL is loaded.
    static frmMain& Instance();

    // Creates the window hidden and runs the load sequence; does nothing when already loaded.
    HRESULT Load();
    // Shows the window modally with no owner and returns once "&Save" has hidden it. A call that
    // arrives while the window is already up returns at once instead of nesting a second loop.
    HRESULT ShowModal();

    HWND hwnd() const noexcept { return hwnd_; }

    // Countdown state (lngCounter, LastPlayed) and the tick that drives it.
    Countdown countdown;
    void tmrCountDown_Timer();

    // Account fields and the settings they mirror.
    void LoadAccount();

    // The player's main window as the host handed it over; the player is looked for by its
    // class while there is none.
    void HandOverPlayerWindow(HWND window) { player_window_.HandOver(window); }
    WinAmpMod& player() { return player_; }

    // The submission run, started only by the countdown, with the song read on the tick that
    // ended it.
    void SubmitSong(const PlayedSong& song);

    // Caption of a control, in the system's 8-bit code page (tests and the tick read these).
    std::string ControlText(int id) const;
    void SetControlText(int id, const std::string& text);
    HWND Control(int id) const;

    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

private:
    frmMain();
    ~frmMain() = delete;  // lives until the process ends

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnCommand(int id, int code);
    void PressFocusedButton();
    void RunLoadSequence();

    // frm_main_layout.cpp: creates the controls (the folder editor's when first wanted).
    void CreateControls();
    void CreateFolderEditor() const;
    HWND CreateControl(const ControlLayout& row, HWND after) const;

    // frm_main_paint.cpp, one routine a message: each says false where the system's own handling
    // should run instead (no brush from OnCtlColorStatic).
    bool OnPaint();
    bool OnMeasureItem(WPARAM id, MEASUREITEMSTRUCT* item) const;
    bool OnDrawItem(WPARAM id, const DRAWITEMSTRUCT* item);
    HBRUSH OnCtlColorStatic(HDC dc, HWND control) const;

    // frm_main_account.cpp
    void txtUser_LostFocus();
    void txtPass_LostFocus();
    void cmdSave_Click();

    // frm_main_folders.cpp
    void OpenFolderListAtStoredFolder();
    void FillFolderEditor() const;
    void cmdExclude_Click();
    void cmdOk_Click();
    void cmdRemove_Click();
    void cmdCancel_Click();
    void lstDrive_Change();
    void lstFolders_DblClick();

    HWND hwnd_ = nullptr;
    PlayerWindow player_window_;  // the one place the player's window is held
    WinAmpMod player_{player_window_};
    std::string time_label_;  // what lblTime was last given
    bool loaded_ = false;
    bool showing_modally_ = false;
    struct Layout;
    std::unique_ptr<Layout> layout_;    // fonts, brushes, logo: owned GDI objects
    struct Folders;
    std::unique_ptr<Folders> folders_;  // the folder list's current folder and drive
    struct Submission;
    std::unique_ptr<Submission> submission_;  // the transfer control and the run, made on first use
};

}  // namespace sq
