#include "tool_log.h"

#include <cstdarg>

namespace sim {
namespace {
std::FILE* g_file = nullptr;
}

void OpenLogFile(const std::string& path) {
    if (g_file) std::fclose(g_file);
    g_file = std::fopen(path.c_str(), "w");
}

void Log(const char* format, ...) {
    char line[2048];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    std::printf("%s\n", line);
    std::fflush(stdout);
    if (g_file) {
        std::fprintf(g_file, "%s\n", line);
        std::fflush(g_file);
    }
}

}  // namespace sim
