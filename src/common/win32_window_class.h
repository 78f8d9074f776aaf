#pragma once
// The classes of this module's windows, each registered when its first window is made. A class
// survives its windows, so a later window of the same class finds it registered already, and
// that counts as success.
#include <windows.h>

namespace sq {

// Registers `window_class` for this module (ModuleInstance()); its size and instance are filled
// in here. False, with the system's last error set, when the class can be neither registered nor
// found registered.
bool RegisterModuleWindowClass(WNDCLASSEXW window_class) noexcept;

}  // namespace sq
