#pragma once
// The log of our development tools: every line goes to standard output at once (the demo shows
// it as it happens) and, when asked, to a file that tests read. Lines are added whole at the
// file's end, so that a player started again by the one before it can write to the same file
// while that one ends.
#include <string>

namespace sim {

// A new file, or the end of one a run before this one has written (`append`).
void OpenLogFile(const std::wstring& path, bool append = false);
// The same, named in the code page (a program with 8-bit arguments).
void OpenLogFile(const std::string& path);
void Log(const char* format, ...) __attribute__((format(printf, 1, 2)));
// A line for the file only: one that comes every second would drown the live view.
void LogQuietly(const std::string& line);

}  // namespace sim
