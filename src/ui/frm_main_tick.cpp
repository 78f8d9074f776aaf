#include "player/winamp_mod.h"
#include "ui/frm_main.h"

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
        countdown.Tick(titles, [this] { SubmitSong(); });
    } catch (...) {
        // A failing step is skipped; the label is still refreshed below.
    }
    SetControlText(IDC_LBL_TIME, countdown.LabelText());
}

}  // namespace sq
