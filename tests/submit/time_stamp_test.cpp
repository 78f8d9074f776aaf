#include "submit/time_stamp.h"

#include <gtest/gtest.h>

namespace sq {
namespace {

class FixedClock final : public Clock {
public:
    explicit FixedClock(LocalTime t) : t_(t) {}
    LocalTime Now() const override { return t_; }

private:
    LocalTime t_;
};

TEST(TimeStamp, IsHourAndMinuteOfTheTwentyFourHourClock) {
    const std::pair<LocalTime, const char*> rows[] = {
        {{9, 5}, "09:05"}, {{17, 5}, "17:05"}, {{0, 0}, "00:00"}, {{23, 59}, "23:59"}, {{12, 30}, "12:30"},
        {{24, 60}, "00:00"}, {{-1, -1}, "23:59"},
    };
    for (const auto& [time, text] : rows) EXPECT_EQ(HourMinuteStamp(FixedClock(time)), text);
}

}  // namespace
}  // namespace sq
