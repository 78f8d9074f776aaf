#include "host_wrapper/win32_plugin_removal.h"

#include <string>

#include "common/win32_debug_trace.h"
#include "common/win32_unique_handle.h"
#include "common/win32_settings_store.h"
#include "host_wrapper/win32_plugin_loader.h"

namespace sq {
namespace {

bool UserWantsSettingsRemoved(HWND owner) {
    return ::MessageBoxW(owner,
                         L"Sonoquill is being removed from Winamp.\n\n"
                         L"Also remove your Sonoquill account and excluded folder from this computer?",
                         L"Sonoquill", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
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
        TraceFailure(L"gen_sonoquill uninstall", L"the uninstaller cannot be started", HRESULT_FROM_WIN32(::GetLastError()));
        return;
    }
    // The uninstaller runs on its own; nothing here waits for it.
    const UniqueKernelHandle thread(process.hThread);
    const UniqueKernelHandle started(process.hProcess);
}

}  // namespace

void RemoveFromPlayer(HWND owner, HMODULE wrapper_module) {
    if (UserWantsSettingsRemoved(owner)) {
        const LSTATUS status = settings::RemoveAll();
        if (status != ERROR_SUCCESS) {
            TraceFailure(L"gen_sonoquill uninstall", L"the stored settings cannot be removed", HRESULT_FROM_WIN32(status));
        }
    }
    StartUninstallerAfterExit(ModuleFolder(wrapper_module));
}

}  // namespace sq
