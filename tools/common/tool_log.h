#pragma once
// The log of our development tools: every line goes to standard output at once (the demo shows
// it as it happens) and, when asked, to a file that tests read.
#include <cstdio>
#include <string>

namespace sim {

void OpenLogFile(const std::string& path);
void Log(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace sim
