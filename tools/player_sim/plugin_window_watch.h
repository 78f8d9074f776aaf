#pragma once
// Follows what the Sonoquill control window shows (its connection, countdown, response and
// time labels) and logs each change, so that a demonstration can be followed in a terminal.
#include <windows.h>

#include <string>

namespace sim {

class PluginWindowWatch {
public:
    // `song` and `songs` (1-based) label the countdown's progress lines.
    void Poll(size_t song, size_t songs);

private:
    std::string texts_[4];
    int last_progress_ = -1000;
};

}  // namespace sim
