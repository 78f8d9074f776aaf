#pragma once
// Helpers for the Windows tests: they load the real DLL and call it as a host or a script would.
#include <windows.h>

#include <functional>
#include <string>

namespace sqtest {

// Folder of the running test program (the DLL and the other programs sit beside it).
std::wstring ProgramFolder();
std::wstring DllPath();

// Runs a command line, waits up to `timeout_ms`, and returns its exit code (or -1).
int RunProcess(const std::wstring& command_line, DWORD timeout_ms = 60000);

// Dispatches this thread's messages until `done` is true or `timeout_ms` passes.
bool PumpMessagesUntil(const std::function<bool()>& done, DWORD timeout_ms);
// Dispatches this thread's messages for `ms` milliseconds.
void PumpMessagesFor(DWORD ms);

bool RegistryKeyExists(HKEY root, const std::wstring& path);
std::wstring ReadRegistryString(HKEY root, const std::wstring& path, const wchar_t* name);

// Text of a window, as wide text.
std::wstring WindowText(HWND window);

// A new folder under the temporary folder, named after `name`, this process and the time (with a
// trailing backslash); DeleteTree removes a folder and everything in it.
std::wstring TempFolder(const std::wstring& name);
void DeleteTree(const std::wstring& folder);
// The bytes of a file, even one another program holds open for writing; empty when unreadable.
std::string ReadWholeFile(const std::wstring& path);

}  // namespace sqtest
