#include "submit/frm_main_submission.h"

namespace sq {

// The submission run arrives with the protocol and the transfer control.
void frmMain::SubmitSong() {
    if (!submission_) submission_ = std::make_unique<Submission>();
    ++submission_->runs_started;
}

void frmMain::SetResponseText(const std::string& text) { SetControlText(IDC_LBL_RESPONSE, text); }

void frmMain::xTran_StateChanged(int16_t) {}

}  // namespace sq
