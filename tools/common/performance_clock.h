#pragma once
// The clock the tools stamp their logs with: the performance counter in milliseconds, one count
// for every process of the machine, so that a line of the player's log and one of the service's
// can be set against each other.
#include <windows.h>

namespace sim {

inline double PerformanceMilliseconds() {
    LARGE_INTEGER now{};
    LARGE_INTEGER frequency{};
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

}  // namespace sim
