#pragma once
#include <string>

#include "ui/frm_main.h"

namespace sq {

struct frmMain::Folders {
    std::string current_folder;
};

}  // namespace sq
