#pragma once
#include "ui/frm_main.h"

namespace sq {

struct frmMain::Submission {
    int runs_started = 0;
};

}  // namespace sq
