#include "common/debug_trace.h"
#include "player/winamp_mod.h"
#include "ui/frm_main.h"
#include "ui/frm_main_submission.h"

namespace sq {
namespace {

class PlayerTitles final : public TitleSource {
public:
    std::string GetSongTitle() override { return WinAmpMod::GetSongTitle(); }
};

}  // namespace

void frmMain::tmrCountDown_Timer() {
    PlayerTitles titles;
    try {
        // The run may let messages through, so further ticks can be handled inside it; the
        // countdown has already stored the title by then and they only refill the counter.
        countdown.Tick(titles, [this] { SubmitSong(); });
    } catch (...) {
        // A failing step is skipped; the label is still refreshed below.
        TraceFailure(L"countdown tick", L"exception in the tick", E_UNEXPECTED);
    }
    SetControlText(IDC_LBL_TIME, countdown.LabelText());
}

void frmMain::SubmitSong() {
    try {
        if (!submission_) submission_ = std::make_unique<Submission>(*this);
        submission_->run.SubmitSong();
    } catch (...) {
        // Nothing of a run reaches the countdown or the host.
        TraceFailure(L"SubmitSong", L"the submission run could not be started", E_UNEXPECTED);
    }
}

}  // namespace sq
