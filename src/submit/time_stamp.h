#pragma once
// lblLastTime shows when lblResponse last changed, to the minute on the local 24-hour clock.
#include <string>

namespace sq {

struct LocalTime {
    int hour = 0;
    int minute = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime Now() const = 0;
};

// "HH:MM"; values outside the clock's range are brought back into it (25 -> 01, 60 -> 00).
std::string HourMinuteStamp(LocalTime time);
std::string HourMinuteStamp(const Clock& clock);

}  // namespace sq
