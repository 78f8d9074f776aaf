#include "ui/win32_shell_open.h"

#include <shellapi.h>

namespace sq {

long ShellOpen(const std::string& address, HWND owner) {
    // Only web addresses come here, for which a working folder means nothing: none is given, so
    // that a machine without the drive it would name opens them all the same.
    const HINSTANCE result = ::ShellExecuteA(owner, nullptr, address.c_str(), nullptr, nullptr, SW_SHOWDEFAULT);
    return static_cast<long>(reinterpret_cast<INT_PTR>(result));
}

}  // namespace sq
