#include "media/cls_mp3_com.h"

namespace sq {

// The scriptable tag reader joins the component with its own work.
HRESULT CreateClsMP3(REFIID, void** out) {
    if (out) *out = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}

}  // namespace sq
