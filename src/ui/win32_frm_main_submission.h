#pragma once
// What the control window keeps next to itself for its submission runs: the transfer control
// xTran, the links through which a run reaches the window, the player, the shell and the settings,
// and the run itself. Made on first use and kept for the life of the window.
#include "submit/submission_run.h"
#include "submit/win32_transfer_control.h"
#include "ui/win32_frm_main.h"
#include "ui/win32_song_tags.h"
#include "ui/win32_submission_links.h"

namespace sq {

struct frmMain::Submission {
    explicit Submission(frmMain& form)
        : display(form),
          player_tags(form.player()),
          shell(form),
          message_boxes(form),
          run({display, settings, tags, player_tags, shell, xTran, events, clock, message_boxes, form.code_page(), failures}) {}

    // Declared before the run, which uses them until it ends.
    TransferControl xTran;
    LabelStatusDisplay display;
    StoredSettings settings;
    ClsMP3TagSource tags;
    WinAmpPlayerTags player_tags;
    ShellAddressOpener shell;
    ThreadEventLoop events;
    LocalClock clock;
    WindowMessageBoxes message_boxes;
    DebuggerTrace failures;
    SubmissionRun run;
};

}  // namespace sq
