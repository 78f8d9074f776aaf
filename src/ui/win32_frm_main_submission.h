#pragma once
// What the control window keeps next to itself for its submission runs: the transfer control
// xTran, the links through which a run reaches the window, the settings and the thread, and the
// run itself. Made on first use and kept for the life of the window.
#include "submit/submission_run.h"
#include "submit/win32_transfer_control.h"
#include "ui/win32_frm_main.h"
#include "ui/win32_submission_links.h"

namespace sq {

struct frmMain::Submission {
    explicit Submission(frmMain& form)
        : xTran(form.request_timeout_ms_.value_or(TransferControl::kDefaultRequestTimeoutMs)),
          form_links(form),
          run({form_links, settings, form.report_.identity(), form_links, xTran, events, clock, form_links,
               form.code_page_, form.failures_}) {}

    // Declared before the run, which uses them until it ends.
    TransferControl xTran;
    FormLinks form_links;
    StoredSettings settings;
    ThreadEventLoop events;
    LocalClock clock;
    SubmissionRun run;
};

}  // namespace sq
