#include "platform/classlib/DateUtils.h"
#include "platform/classlib/SysUtils.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A fixed clock for one test; the system clock is back afterwards.
class Fixed_Clock {
public:
    explicit Fixed_Clock(TDateTime moment) { Set_Clock([moment] { return moment; }); }
    ~Fixed_Clock() { Set_Clock({}); }
    Fixed_Clock(const Fixed_Clock&) = delete;
    Fixed_Clock& operator=(const Fixed_Clock&) = delete;
};

} // namespace

TEST(DateUtils, EncodesDaysFromTheEpoch)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
    EXPECT_EQ(EncodeDate(2024, 2, 29) - EncodeDate(2024, 2, 28), 1.0);
    EXPECT_DOUBLE_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    EXPECT_DOUBLE_EQ(EncodeTime(6, 0, 0, 0), 0.25);
}

TEST(DateUtils, RejectsDatesAndTimesThatDoNotExist)
{
    EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
    EXPECT_THROW(EncodeDate(1900, 2, 29), EConvertError);
    EXPECT_THROW(EncodeDate(2024, 13, 1), EConvertError);
    EXPECT_THROW(EncodeDate(0, 1, 1), EConvertError);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 60, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 0, 0, 1000), EConvertError);
}

TEST(DateUtils, DecodesToTheNearestMillisecond)
{
    const TDateTime moment = EncodeDate(2024, 2, 29) + EncodeTime(23, 59, 59, 999);
    int year, month, day, hour, minute, second, millisecond;
    DecodeDate(moment, year, month, day);
    DecodeTime(moment, hour, minute, second, millisecond);
    EXPECT_EQ((std::vector<int>{year, month, day, hour, minute, second, millisecond}),
              (std::vector<int>{2024, 2, 29, 23, 59, 59, 999}));

    // A hair before midnight rounds to the next day, date and time together.
    const TDateTime almost_midnight = EncodeDate(2024, 2, 29) + 0.9999999999;
    DecodeDate(almost_midnight, year, month, day);
    DecodeTime(almost_midnight, hour, minute, second, millisecond);
    EXPECT_EQ((std::vector<int>{year, month, day, hour, minute, second, millisecond}),
              (std::vector<int>{2024, 3, 1, 0, 0, 0, 0}));

    // Before the epoch the fraction still counts from the day's start.
    DecodeDate(-1.25, year, month, day);
    DecodeTime(-1.25, hour, minute, second, millisecond);
    EXPECT_EQ((std::vector<int>{year, month, day, hour, minute}), (std::vector<int>{1899, 12, 29, 6, 0}));
}

TEST(DateUtils, FormatDateTimePatterns)
{
    const TDateTime moment = EncodeDate(2024, 3, 5) + EncodeTime(14, 3, 7, 45);
    const struct {
        const char* format;
        const char* expected;
    } cases[] = {
        {"hh':'mm':'ss", "14:03:07"},
        {"yyyy-mm-dd hh:nn:ss.zzz", "2024-03-05 14:03:07.045"},
        {"d/m/yy h:n:s z", "5/3/24 14:3:7 45"},
        {"h:mm", "14:03"},
        {"\"at\" HH'h'NN", "at 14h03"},
        {"'unclosed", "unclosed"},
        {"ss°", "07°"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatDateTime(c.format, moment), c.expected) << c.format;
}

TEST(DateUtils, NowFollowsTheClockThatIsSet)
{
    const TDateTime moment = EncodeDate(2024, 2, 29) + EncodeTime(14, 3, 27, 500);
    {
        Fixed_Clock clock(moment);
        EXPECT_EQ(Now(), moment);
        EXPECT_EQ(Date(), EncodeDate(2024, 2, 29));
        EXPECT_EQ(FormatDateTime("hh':'mm':'ss", Time()), "14:03:27");
    }
    // Back on the system clock: some moment after the clock was set.
    EXPECT_GT(Now(), EncodeDate(2024, 3, 1));
}
