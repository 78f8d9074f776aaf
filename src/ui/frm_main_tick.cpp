#include "common/debug_trace.h"
#include "player/winamp_mod.h"
#include "ui/frm_main.h"
#include "ui/frm_main_submission.h"

namespace sq {
namespace {

// The player window is looked up once a tick; its play state and title are read from it.
class PlayerThisTick final : public WatchedPlayer {
public:
    bool IsPlaying() override { return WinAmpMod::GetPlayState(window_) == WinAmpMod::kPlaying; }
    std::string GetSongTitle() override { return WinAmpMod::GetSongTitle(window_); }

private:
    HWND window_ = WinAmpMod::FindPlayerWindow();
};

}  // namespace

void frmMain::tmrCountDown_Timer() {
    try {
        PlayerThisTick player;
        // The run may let messages through, so further ticks can be handled inside it; the
        // countdown has already stored the title by then and they only refill the counter.
        countdown.Tick(player, [this] { SubmitSong(); });
    } catch (...) {
        // A failing step is skipped; the label is still refreshed below. A failure that comes back
        // every second is written once.
        TraceFailureOnce(L"countdown tick", L"exception in the tick", E_UNEXPECTED);
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
