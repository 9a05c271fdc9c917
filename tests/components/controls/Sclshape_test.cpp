// The shape settings and the small settings objects as forms set them.

#include "components/controls/SCLRgnShadow.h"
#include "components/controls/Sclshape.h"
#include "components/controls/Sclshapebuttoncolor.h"
#include "components/controls/Sclsmallbar.h"
#include "components/controls/Sclteeth.h"
#include "components/foundations/Sclbuttonlayout.h"
#include "tests/components/controls/Settings_Holder.h"

#include <gtest/gtest.h>

SCL_SETTINGS_HOLDER(TSCLShape);
SCL_SETTINGS_HOLDER(TSCLSmallBar);
SCL_SETTINGS_HOLDER(TSCLTeeth);
SCL_SETTINGS_HOLDER(TSCLButtonLayout);
SCL_SETTINGS_HOLDER(TSCLRgnShadow);
SCL_SETTINGS_HOLDER(TSCLShapeButtonColor);

using controls_test::Read_Holder;
using controls_test::Stored_Names;

TEST(Sclshape, FormResourceSetsTheShapeAndItsSubObjects)
{
    auto loaded = Read_Holder<THolder_TSCLShape>("Settings.Bevel.Style = sbOffset\n"
                                                 "Settings.Bevel.Width = 1\n"
                                                 "Settings.Bevel.LightColor = clWhite\n"
                                                 "Settings.Brush.Color = clSilver\n"
                                                 "Settings.Shadow.Style = hssNone\n"
                                                 "Settings.Shape = stOctagon\n"
                                                 "Settings.RoundPercent = 60");
    ASSERT_NE(loaded, nullptr);
    const TSCLShape& shape = loaded->Settings;
    EXPECT_EQ(shape.Bevel()->Style(), sbOffset);
    EXPECT_EQ(shape.Bevel()->Width(), 1);
    EXPECT_EQ(shape.Bevel()->LightColor(), clWhite);
    EXPECT_EQ(shape.Brush()->Color(), clSilver);
    EXPECT_EQ(shape.Shadow()->Style(), hssNone);
    EXPECT_EQ(shape.Shape(), stOctagon);
    EXPECT_EQ(shape.RoundPercent(), 60);
    THolder_TSCLShape fresh(nullptr);
    EXPECT_TRUE(Stored_Names(fresh).empty());
}

TEST(Sclshape, FormResourceSetsTheSmallSettings)
{
    auto bar = Read_Holder<THolder_TSCLSmallBar>("Settings.AutoSize = False\nSettings.HSpace = 1\n"
                                                 "Settings.BarCount = 32");
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(bar->Settings.AutoSize());
    EXPECT_EQ(bar->Settings.HSpace(), 1);
    EXPECT_EQ(bar->Settings.BarCount(), 32);

    auto teeth = Read_Holder<THolder_TSCLTeeth>("Settings.Height = 10\nSettings.Direction = tdUp");
    ASSERT_NE(teeth, nullptr);
    EXPECT_EQ(teeth->Settings.Height(), 10);
    EXPECT_EQ(teeth->Settings.Direction(), tdUp);

    auto layout = Read_Holder<THolder_TSCLButtonLayout>("Settings.Alignment = agCenterLeft\n"
                                                        "Settings.Arrow = True\nSettings.ArrowSize = 4");
    ASSERT_NE(layout, nullptr);
    EXPECT_EQ(layout->Settings.Alignment(), agCenterLeft);
    EXPECT_TRUE(layout->Settings.Arrow());
    EXPECT_EQ(layout->Settings.ArrowSize(), 4);

    auto colours = Read_Holder<THolder_TSCLShapeButtonColor>("Settings.Down = clSilver\nSettings.Up = clSilver");
    ASSERT_NE(colours, nullptr);
    EXPECT_EQ(colours->Settings.Down(), clSilver);
    EXPECT_EQ(colours->Settings.Up(), clSilver);
    EXPECT_EQ(colours->Settings.MouseOver(), clBtnFace);
}

TEST(Sclshape, StoredDefaultsAreTheConstructorsValues)
{
    THolder_TSCLSmallBar bar(nullptr);
    EXPECT_TRUE(Stored_Names(bar).empty());
    THolder_TSCLTeeth teeth(nullptr);
    EXPECT_TRUE(Stored_Names(teeth).empty());
    THolder_TSCLShapeButtonColor colours(nullptr);
    EXPECT_TRUE(Stored_Names(colours).empty());
    // A layout's alignment has no default: it is always stored.
    THolder_TSCLButtonLayout layout(nullptr);
    EXPECT_EQ(Stored_Names(layout), std::vector<std::string>{"Settings.Alignment"});
    // A region shadow starts switched off, and that is its default.
    THolder_TSCLRgnShadow region(nullptr);
    EXPECT_TRUE(Stored_Names(region).empty());
    region.Settings.SetStyle(hssSolid);
    EXPECT_EQ(Stored_Names(region), std::vector<std::string>{"Settings.Style"});
}
