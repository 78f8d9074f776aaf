#include "player/shell_open.h"

#include <shellapi.h>

namespace sq {

long ShellOpen(const std::string& path, HWND owner) {
    const HINSTANCE result = ::ShellExecuteA(owner, nullptr, path.c_str(), nullptr, "c:\\", SW_SHOWDEFAULT);
    return static_cast<long>(reinterpret_cast<INT_PTR>(result));
}

}  // namespace sq
