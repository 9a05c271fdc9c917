#include "components/foundations/Sclpointlist.h"

#include <gtest/gtest.h>

#include <array>

namespace {

TEST(Sclpointlist, PointsKeepSigned16BitCoordinates)
{
    TSCLPointList list;
    const std::array<POINT, 4> points{{{-5, -7}, {32767, -32768}, {0, 1}, {-1, 0}}};
    for (const POINT& p : points)
        list.AddPoint(p);
    ASSERT_EQ(list.Count(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(list.Points(i), points[static_cast<std::size_t>(i)]) << i;
    list.PutPoint(1, {3, 4});
    EXPECT_EQ(list.GetPoint(1), (POINT{3, 4}));
    // Outside the list: ignored on writing, (0, 0) on reading.
    list.PutPoint(4, {9, 9});
    list.PutPoint(-1, {9, 9});
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.GetPoint(4), POINT{});
    EXPECT_EQ(list.GetPoint(-1), POINT{});
    list.DeletePoint(0);
    EXPECT_EQ(list.GetPoint(0), (POINT{3, 4}));
}

TEST(Sclpointlist, ChangesNotifyUnlessAnUpdateIsOpen)
{
    TSCLPointList list;
    int notified = 0;
    list.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &list);
        ++notified;
    };
    list.AddPoint({1, 1});
    EXPECT_EQ(notified, 2);
    list.PutPoint(0, {2, 2});
    list.DeletePoint(0);
    EXPECT_EQ(notified, 4);

    list.BeginUpdate();
    list.BeginUpdate();
    list.AddPoint({1, 1});
    list.EndUpdate(true);
    EXPECT_EQ(notified, 4);
    list.EndUpdate(false);
    EXPECT_EQ(notified, 4);
    list.EndUpdate(true);
    EXPECT_EQ(notified, 5);
}

TEST(Sclpointlist, CloneReplacesTheDestination)
{
    TSCLPointList source;
    source.AddPoint({1, 2});
    source.AddPoint({-3, 4});
    TSCLPointList dest;
    dest.AddPoint({9, 9});
    int notified = 0;
    dest.OnChange = [&](TObject*) { ++notified; };
    source.Clone(&dest);
    ASSERT_EQ(dest.Count(), 2);
    EXPECT_EQ(dest.GetPoint(1), (POINT{-3, 4}));
    EXPECT_EQ(notified, 4);
    source.Clone(nullptr);
}

} // namespace
