#pragma once
// The service's addresses, opened in the user's browser.
#include <windows.h>

#include <string>

namespace sq {

// Has the shell carry out the default action on `address` (text in the system's 8-bit code
// page), owned by `owner`. Returns the shell's result number: above 32 on success.
long ShellOpen(const std::string& address, HWND owner);

}  // namespace sq
