#include <gtest/gtest.h>

#include "submit/exclusion.h"
#include "submit/time_stamp.h"
#include "submit/transfer_state_text.h"

namespace sq {
namespace {

TEST(TransferStateText, EveryStateHasItsText) {
    const std::pair<int16_t, const char*> rows[] = {
        {0, "Idle."},           {1, "Checking Address."},   {2, "Address Accepted."}, {3, "Connecting."},
        {4, "Connected."},      {5, "Requesting Data."},    {6, "Request Sent."},     {7, "Receiving Response."},
        {8, "Response Recieved."}, {9, "Disconnecting."},   {10, "Disconnected."},    {11, "Error."},
        {12, "Response Completed."}, {13, "Unrecognised response."}, {-1, "Unrecognised response."},
        {INT16_MIN, "Unrecognised response."}, {INT16_MAX, "Unrecognised response."},
    };
    for (const auto& [state, text] : rows) EXPECT_EQ(TransferStateText(state), text) << state;
}

struct ExclusionCase {
    const char* path;
    const char* folder;
    bool excluded;
};

TEST(Exclusion, IsAPlainCaseBlindPrefixTest) {
    const ExclusionCase rows[] = {
        {"C:\\MUSIC\\Live\\a.mp3", "C:\\Music", true},
        {"C:\\Music2\\a.mp3", "C:\\Music", true},  // no look at folder boundaries
        {"D:\\anything.mp3", "d:\\", true},
        {"C:\\Musi", "C:\\Music", false},
        {"\\\\?\\C:\\Music\\a.mp3", "C:\\Music", false},  // the folder's text further in does not count
        {"D:\\Music\\a.mp3", "C:\\Music", false},
        {"", "C:\\Music", false},  // unknown file: never excluded
        {"C:\\Music\\a.mp3", "", false},
        {"c:\\music", "C:\\MUSIC", true},
    };
    for (const ExclusionCase& row : rows) EXPECT_EQ(IsExcluded(row.path, row.folder), row.excluded) << row.path << " / " << row.folder;
}

TEST(Exclusion, UsesTheLowerCasingItIsGiven) {
    // Bytes above 127 are the code page's business: the shell hands in one that knows it.
    EXPECT_FALSE(IsExcluded("C:\\\xC4rger\\a.mp3", "c:\\\xE4rger"));
    const LowerCaseFn latin = [](const std::string& s) {
        std::string r = LowerCase(s);
        for (char& c : r)
            if (c == '\xC4') c = '\xE4';
        return r;
    };
    EXPECT_TRUE(IsExcluded("C:\\\xC4rger\\a.mp3", "c:\\\xE4rger", latin));
}

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
