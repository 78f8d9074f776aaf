#include "player/winamp_mod.h"
#include "ui/frm_main.h"
#include "ui/submission_runs_property.h"

namespace sq {
namespace {

class PlayerTitles final : public TitleSource {
public:
    std::string GetSongTitle() override { return WinAmpMod::GetSongTitle(); }
};

void CountSubmissionRun(HWND window) {
    const UINT_PTR started = SubmissionRunsStarted(window) + 1;
    ::SetPropW(window, kSubmissionRunsProperty, reinterpret_cast<HANDLE>(started));
}

}  // namespace

void frmMain::tmrCountDown_Timer() {
    PlayerTitles titles;
    try {
        // The run may let messages through, so further ticks can be handled inside it; the
        // countdown has already stored the title by then and they only refill the counter.
        countdown.Tick(titles, [this] {
            CountSubmissionRun(hwnd_);
            SubmitSong();
        });
    } catch (...) {
        // A failing step is skipped; the label is still refreshed below.
    }
    SetControlText(IDC_LBL_TIME, countdown.LabelText());
}

}  // namespace sq
