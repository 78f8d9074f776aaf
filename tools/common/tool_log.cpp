#include "tool_log.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>

#include "common/win32_unique_handle.h"

namespace sim {
namespace {

sq::UniqueFile g_file;

// At the end of the file as it is now, under a lock that the other writer takes as well.
void WriteToFile(const std::string& line) {
    if (!g_file) return;
    const std::string bytes = line + "\n";
    OVERLAPPED whole{};
    if (!::LockFileEx(g_file.get(), LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole)) return;
    DWORD written = 0;
    if (::SetFilePointerEx(g_file.get(), LARGE_INTEGER{}, nullptr, FILE_END)) {
        ::WriteFile(g_file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    }
    ::UnlockFileEx(g_file.get(), 0, MAXDWORD, MAXDWORD, &whole);
}

}  // namespace

void OpenLogFile(const std::wstring& path, bool append) {
    g_file.reset(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               append ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

void OpenLogFile(const std::string& path) {
    std::wstring wide(path.size(), L'\0');
    const int n = ::MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), wide.data(),
                                        static_cast<int>(wide.size()));
    wide.resize(static_cast<size_t>(n > 0 ? n : 0));
    OpenLogFile(wide);
}

void Log(const char* format, ...) {
    char line[2048];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    std::printf("%s\n", line);
    std::fflush(stdout);
    WriteToFile(line);
}

void LogQuietly(const std::string& line) { WriteToFile(line); }

}  // namespace sim
