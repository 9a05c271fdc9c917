#pragma once
// The status logs' clock stands at a chosen second of a test's (14:03:27 at
// the start), so that their time stamps are known; the system clock is put
// back after the test.

#include "platform/classlib/DateUtils.h"

#include <gtest/gtest.h>

class Fixed_Log_Clock : public ::testing::Test {
protected:
    void SetUp() override { At(14, 3, 27); }
    void TearDown() override { Set_Clock({}); }
    static void At(int hour, int minute, int second)
    {
        const TDateTime time = EncodeDate(2026, 12, 10) + EncodeTime(hour, minute, second, 0);
        Set_Clock([time] { return time; });
    }
};
