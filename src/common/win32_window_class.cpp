#include "common/win32_window_class.h"

#include "common/win32_module.h"

namespace sq {

bool RegisterModuleWindowClass(WNDCLASSEXW window_class) noexcept {
    window_class.cbSize = sizeof window_class;
    window_class.hInstance = ModuleInstance();
    return ::RegisterClassExW(&window_class) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace sq
