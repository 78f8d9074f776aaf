#pragma once
// frmMain: the plug-in's only window. It is created hidden when the component is initialised,
// lives as long as the component is loaded, and carries the countdown timer, the transfer control
// and the one link to the player (the window the host handed over, or the one found by class).
// Each concern lives in its own file, and each window message is handled in one:
// - win32_frm_main_window.cpp: the window (class, creation at the layout's client size, load sequence,
//   modal show, close refusal), the routing of every message to the part that handles it, the
//   commands and keys (one table of routes), and the controls' texts;
// - win32_frm_main_layout.h/.cpp: the one table of the controls and of the shapes the window draws by
//   hand, the client area they lie in, the controls made from it, the room a label's text needs;
// - win32_frm_main_paint.cpp: what the window draws itself, one routine a message (WM_PAINT,
//   WM_MEASUREITEM, WM_DRAWITEM, WM_CTLCOLORSTATIC): the table's shapes, the owner-drawn
//   controls, the labels' colours;
// - win32_frm_main_account.cpp: the account fields;
// - win32_frm_main_folders.h/.cpp: the excluded-folder editor and what it keeps;
// - win32_frm_main_tick.cpp: the countdown tick, which has the report's decision look at the player
//   and hands a song that is due to the submission run (SubmitSong);
// - win32_frm_main_submission.h: what the window keeps beside itself for its submission runs;
// - frm_main_art.rc: the window's icon and the banner's logo.
// They use, from ui/: twips.h and logo_picture (the layout's units and its logo), win32_opaque_fill.h
// (the rules, and the folder list's pictures), folder_list, folder_editor_start and folder_path
// (the editor's drives and folders), and submission_links with shell_open (the run's links to
// Windows; submission_links writes the labels through this header).
// Every part includes this header, directly or through its own. The table, win32_frm_main_layout.h, is
// included by the parts that place, draw or show controls (window, layout, paint, folders); the
// editor's and the runs' state, win32_frm_main_folders.h and win32_frm_main_submission.h, by their own part
// and by win32_frm_main_window.cpp, which makes the form with all it keeps beside itself.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "common/win32_debug_trace.h"
#include "common/win32_system_code_page.h"
#include "player/win32_player_window.h"
#include "player/winamp_mod.h"
#include "report/reporter.h"
#include "report/win32_file_tags.h"

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

    // The tick that drives the countdown.
    void tmrCountDown_Timer();
    // lngCounter and LastPlayed, which a test sets to start a run as the countdown starts it.
    Countdown& CountdownForTesting() { return report_.countdown(); }

    // Account fields and the settings they mirror.
    void LoadAccount();

    // The player's main window as the host handed it over; the player is looked for by its
    // class while there is none.
    void HandOverPlayerWindow(HWND window) { player_window_.HandOver(window); }

    // The submission run, started only by the countdown, with the song read on the tick that
    // ended it.
    void SubmitSong(const PlayedSong& song);
    // Before the first run: the time-out its transfer control is made with, instead of the plug-in's.
    void SetRequestTimeoutForTesting(DWORD ms) { request_timeout_ms_ = ms; }

    // Text of a control, in the system's 8-bit code page: the account fields are read, the labels
    // written by the tick and the run.
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

    // win32_frm_main_layout.cpp: creates the controls (the folder editor's when first wanted).
    void CreateControls();
    void CreateFolderEditor() const;
    HWND CreateControl(const ControlLayout& row, HWND after) const;

    // win32_frm_main_paint.cpp, one routine a message: each says false where the system's own handling
    // should run instead (no brush from OnCtlColorStatic).
    bool OnPaint();
    bool OnMeasureItem(WPARAM id, MEASUREITEMSTRUCT* item) const;
    bool OnDrawItem(WPARAM id, const DRAWITEMSTRUCT* item);
    HBRUSH OnCtlColorStatic(HDC dc, HWND control) const;

    // win32_frm_main_account.cpp
    void txtUser_LostFocus();
    void txtPass_LostFocus();
    void cmdSave_Click();

    // win32_frm_main_folders.cpp
    void OpenFolderListAtStoredFolder();
    void FillFolderEditor() const;
    void cmdExclude_Click();
    void cmdOk_Click();
    void cmdRemove_Click();
    void cmdCancel_Click();
    void lstDrive_Change();
    void lstFolders_DblClick();

    HWND hwnd_ = nullptr;
    SystemCodePage code_page_;
    PlayerWindow player_window_;  // the one place the player's window is held
    WinAmpMod player_{player_window_, code_page_};
    ClsMP3FileTags file_tags_;
    DebuggerTrace failures_{L"SubmitSong"};
    Reporter report_{player_, file_tags_, code_page_, failures_};
    std::string time_label_;  // what lblTime was last given
    bool loaded_ = false;
    bool showing_modally_ = false;
    struct Layout;
    std::unique_ptr<Layout> layout_;    // fonts, brushes, logo: owned GDI objects
    struct Folders;
    std::unique_ptr<Folders> folders_;  // the folder list's current folder and drive
    struct Submission;
    std::unique_ptr<Submission> submission_;  // the transfer control and the run, made on first use
    std::optional<DWORD> request_timeout_ms_;  // set by a benchmark only
};

}  // namespace sq
