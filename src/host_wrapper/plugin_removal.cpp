#include "host_wrapper/plugin_removal.h"

#include <string>

#include "host_wrapper/boundary_trace.h"
#include "host_wrapper/plugin_loader.h"

namespace sq {
namespace {

constexpr wchar_t kApplicationKey[] = L"Software\\VB and VBA Program Settings\\Sonoquill";

bool UserWantsSettingsRemoved(HWND owner) {
    return ::MessageBoxW(owner,
                         L"Sonoquill is being removed from Winamp.\n\n"
                         L"Also remove your Sonoquill account and excluded folder from this computer?",
                         L"Sonoquill", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

void RemoveStoredSettings() {
    const LSTATUS status = ::RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
        TraceFailure(L"uninstall", L"the stored settings cannot be removed", HRESULT_FROM_WIN32(status));
    }
    // The application's key goes too, unless something else is kept under it.
    ::RegDeleteKeyW(HKEY_CURRENT_USER, kApplicationKey);
}

void StartUninstallerAfterExit(const std::wstring& folder) {
    const std::wstring uninstaller = folder + kUninstallerName;
    if (folder.empty() || ::GetFileAttributesW(uninstaller.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    wchar_t pid[16];
    ::wsprintfW(pid, L"%lu", ::GetCurrentProcessId());
    std::wstring line = L"\"" + uninstaller + L"\" /S /AFTERPID=" + pid;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        TraceFailure(L"uninstall", L"the uninstaller cannot be started", HRESULT_FROM_WIN32(::GetLastError()));
        return;
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}

}  // namespace

void RemoveFromPlayer(HWND owner, HMODULE wrapper_module) {
    if (UserWantsSettingsRemoved(owner)) RemoveStoredSettings();
    StartUninstallerAfterExit(ModuleFolder(wrapper_module));
}

}  // namespace sq
