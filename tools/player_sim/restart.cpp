#include "restart.h"

#include "common/win32_module.h"
#include "common/win32_unique_handle.h"

namespace sim {
namespace {

constexpr DWORD kMostWaitMs = 60000;

// Quoted so that CommandLineToArgvW gives the argument back unchanged: backslashes before a quote
// (or before the closing quote) doubled, the quote escaped.
std::wstring Quoted(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) return argument;
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

}  // namespace

DWORD StartAgain(const std::vector<std::wstring>& arguments) {
    std::wstring line = Quoted(sq::ModulePath(nullptr));
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == L"--uninstall-after" || arguments[i] == L"--after-process") {
            ++i;
            continue;
        }
        line += L" " + Quoted(arguments[i]);
    }
    line += L" --after-process " + std::to_wstring(::GetCurrentProcessId());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) return 0;
    const sq::UniqueKernelHandle thread(started.hThread);
    const sq::UniqueKernelHandle process(started.hProcess);
    return started.dwProcessId;
}

void WaitForProcessEnd(DWORD id) {
    const sq::UniqueKernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, id));
    if (process) ::WaitForSingleObject(process.get(), kMostWaitMs);
}

}  // namespace sim
