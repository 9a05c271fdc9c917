#include "components/controls/Sclsmallbar.h"

#include <gtest/gtest.h>

TEST(Sclsmallbar, SegmentLengthFollowsTheDirection)
{
    TSCLSmallBar bar;
    bar.SetByte(0, 32);
    bar.SetByte(1, 1);
    bar.SetByte(2, 0);
    EXPECT_EQ(bar.GetBarExtend(mdHorizontal, 200, 10), 5); // trunc((200 - 32) / 32)
    EXPECT_EQ(bar.GetBarExtend(mdHorizontalReverse, 200, 10), 5);
    EXPECT_EQ(bar.GetBarExtend(mdVertical, 10, 100), 3);
    EXPECT_EQ(bar.GetBarExtend(mdVerticalReverse, 10, 100), 3);
}

TEST(Sclsmallbar, ABarOfNoSegmentsIsRefused)
{
    TSCLSmallBar bar;
    int changes = 0;
    bar.OnChange = [&changes](TObject*) { ++changes; };
    bar.SetByte(0, 0);
    EXPECT_EQ(bar.BarCount(), 10);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(bar.GetBarExtend(mdHorizontal, 100, 10), 7);
}
