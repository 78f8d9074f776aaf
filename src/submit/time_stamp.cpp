#include "submit/time_stamp.h"

namespace sq {
namespace {

std::string TwoDigits(int value, int range) {
    value %= range;
    if (value < 0) value += range;
    return std::string{static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

}  // namespace

std::string HourMinuteStamp(LocalTime time) { return TwoDigits(time.hour, 24) + ":" + TwoDigits(time.minute, 60); }

std::string HourMinuteStamp(const Clock& clock) { return HourMinuteStamp(clock.Now()); }

}  // namespace sq
