#include "common/win32_debug_trace.h"
#include "ui/win32_frm_main.h"
#include "ui/win32_frm_main_submission.h"

namespace sq {

void frmMain::tmrCountDown_Timer() {
    try {
        // Ticks handled inside the run find the countdown settled, so they only refill the counter.
        report_.Tick(::GetTickCount(), [this](const PlayedSong& song) { SubmitSong(song); });
    } catch (...) {
        // A failing step is skipped; the label is still refreshed below. A failure that comes back
        // every second is written once.
        TraceCaughtExceptionOnce(L"countdown tick");
    }
    SetControlText(IDC_LBL_TIME, report_.countdown().LabelText());
}

void frmMain::SubmitSong(const PlayedSong& song) {
    try {
        if (!submission_) submission_ = std::make_unique<Submission>(*this);
        submission_->run.SubmitSong(song);
    } catch (...) {
        // Nothing of a run reaches the countdown or the host.
        TraceCaughtException(L"SubmitSong", L"the submission run could not be started");
    }
}

}  // namespace sq
