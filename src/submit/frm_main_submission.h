#pragma once
// What frmMain keeps for its submission runs: the transfer control xTran, the clock that stamps
// lblLastTime, and whether a run is under way (a run pumps messages while it waits, so the
// countdown can ask for another one inside it).
#include <memory>

#include "submit/time_stamp.h"
#include "submit/transfer_control.h"
#include "ui/frm_main.h"

namespace sq {

struct frmMain::Submission {
    explicit Submission(frmMain& form);

    // One run from the excluded-folder test to the shown answer.
    void RunOnce();

    frmMain& form;
    TransferControl xTran;
    std::unique_ptr<Clock> clock;
    bool run_in_progress = false;
    bool run_deferred = false;
};

}  // namespace sq
