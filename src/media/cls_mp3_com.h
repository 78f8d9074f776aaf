#pragma once
#include <windows.h>

namespace sq {

// Creates a Sonoquill_WA.clsMP3 object (the class factory's create function).
HRESULT CreateClsMP3(REFIID iid, void** out);

}  // namespace sq
