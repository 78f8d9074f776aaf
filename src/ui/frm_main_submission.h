#pragma once
// What the control window keeps next to itself for its submission runs: the transfer control
// xTran, the links through which a run reaches the window, the shell and the settings, and the
// run itself. Made on first use and kept for the life of the window.
#include "submit/submission_run.h"
#include "submit/transfer_control.h"
#include "ui/frm_main.h"
#include "ui/song_tags.h"
#include "ui/submission_links.h"

namespace sq {

struct frmMain::Submission {
    explicit Submission(frmMain& form)
        : display(form),
          shell(form),
          message_boxes(form),
          run({display, settings, form.player(), tags, shell, xTran, events, clock, message_boxes, code_page, failures}) {}

    // Declared before the run, which uses them until it ends.
    TransferControl xTran;
    LabelStatusDisplay display;
    StoredSettings settings;
    ClsMP3TagSource tags;
    ShellAddressOpener shell;
    ThreadEventLoop events;
    LocalClock clock;
    WindowMessageBoxes message_boxes;
    SystemCodePage code_page;
    DebuggerTrace failures;
    SubmissionRun run;
};

}  // namespace sq
