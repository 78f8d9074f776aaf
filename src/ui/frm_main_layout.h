#pragma once
#include <windows.h>

#include "common/unique_handle.h"
#include "ui/frm_main.h"
#include "ui/twips.h"

namespace sq {

// Dots per inch of the screen the window is laid out for.
int ScreenDpi();

struct frmMain::Layout {
    UniqueGdi font;
    UniqueGdi bold_font;
};

}  // namespace sq
