#include "components/controls/Sclgradient.h"

#include "components/controls/Sclshapefill.h"
#include "platform/winapi/Gdi.h"
#include "tests/components/controls/Settings_Holder.h"

#include <gtest/gtest.h>

SCL_SETTINGS_HOLDER(TSCLGradient);

TEST(Sclgradient, ANewGradientHoldsSixteenStepsFromBlueToBlack)
{
    TSCLGradient gradient;
    ASSERT_EQ(gradient.ColorList().size(), 16u);
    EXPECT_EQ(gradient.ColorList().front(), static_cast<TColor>(0xFF0000));
    EXPECT_EQ(gradient.ColorList().back(), static_cast<TColor>(0));
    EXPECT_EQ(gradient.GetPalette(), nullptr);
}

TEST(Sclgradient, MultiColourModeSharesTheStepsByTheStops)
{
    TSCLGradient gradient;
    gradient.SetColors({clRed});
    gradient.SetTwoColors(false);
    EXPECT_TRUE(gradient.ColorList().empty());
    gradient.SetColors({clRed, clLime, clBlue});
    gradient.SetColorCount(128);
    // Two segments of 128 div 3 = 42 steps, the shared stop once.
    ASSERT_EQ(gradient.ColorList().size(), 42u + 41u);
    EXPECT_EQ(gradient.ColorList().front(), clRed);
    EXPECT_EQ(gradient.ColorList()[41], clLime);
    EXPECT_EQ(gradient.ColorList().back(), clBlue);
}

TEST(Sclgradient, PaletteExistsOnlyWhileRealised)
{
    TSCLGradient gradient;
    gradient.SetPaletteRealize(true);
    EXPECT_NE(gradient.GetPalette(), nullptr);
    gradient.SetPaletteRealize(false);
    EXPECT_EQ(gradient.GetPalette(), nullptr);
}

TEST(Sclgradient, ReleasingAPaletteAlwaysClearsItsHandle)
{
    TSCLGradient gradient;
    gradient.SetPaletteRealize(true);
    // Someone deleted the handle the gradient handed out: the release then
    // fails, and the gradient must not keep the dead handle.
    ASSERT_TRUE(DeleteObject(gradient.GetPalette()));
    gradient.SetPaletteRealize(false);
    EXPECT_EQ(gradient.GetPalette(), nullptr);
}

TEST(Sclgradient, PaintsItsStepsAcrossTheRectangle)
{
    TSCLGradient gradient;
    gradient.SetColor(clRed);
    gradient.SetEndColor(clBlue);
    gradient.SetStyle(gstHorizontal);
    gradient.SetColorCount(2);
    TBitmap bitmap;
    bitmap.SetSize(10, 4);
    gradient.PaintGradient(bitmap.Canvas(), RECT{0, 0, 10, 4});
    EXPECT_EQ(bitmap.Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(bitmap.Canvas()->Pixels(9, 3), clBlue);
}

TEST(Sclgradient, ColourStopsAreStoredAndReadBack)
{
    auto loaded = controls_test::Read_Holder<THolder_TSCLGradient>("Settings.Color = clSilver\n"
                                                                   "Settings.ColorCount = 128\n"
                                                                   "Settings.Style = gstHorizontal\n"
                                                                   "Settings.ColorList = (255 65280 16711680)");
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->Settings.Color(), clSilver);
    EXPECT_EQ(loaded->Settings.ColorCount(), 128);
    EXPECT_EQ(loaded->Settings.Style(), gstHorizontal);
    EXPECT_EQ(loaded->Settings.Colors(), (TSCLColorList{clRed, clLime, clBlue}));
    THolder_TSCLGradient fresh(nullptr);
    EXPECT_TRUE(controls_test::Stored_Names(fresh).empty());
    fresh.Settings.SetColors({clRed});
    EXPECT_EQ(controls_test::Stored_Names(fresh), std::vector<std::string>{"Settings.ColorList"});
}

TEST(Sclshapefill, AGradientChangeReachesTheFillsOwner)
{
    TSCLShapeFill fill;
    int changes = 0;
    fill.OnChange = [&changes](TObject*) { ++changes; };
    fill.Gradient()->SetEndColor(clRed);
    EXPECT_EQ(changes, 1);
}

TEST(Sclshapefill, RedrawIsNeededForUntiledBitmapsAndGradients)
{
    TSCLShapeFill fill;
    EXPECT_FALSE(fill.GetMustRedraw());
    fill.SetFillStyle(sfBitmap);
    EXPECT_FALSE(fill.GetMustRedraw());
    fill.SetTileMode(tmStretch);
    EXPECT_TRUE(fill.GetMustRedraw());
    fill.SetFillStyle(sfGradient);
    EXPECT_TRUE(fill.GetMustRedraw());
    fill.SetFillStyle(sfNone);
    EXPECT_TRUE(fill.GetMustRedraw());
}

TEST(Sclshapefill, AssignCopiesTheGradientsStops)
{
    TSCLShapeFill source;
    source.Gradient()->SetColors({clRed, clBlue});
    TSCLShapeFill target;
    target.Assign(&source);
    EXPECT_EQ(target.Gradient()->Colors(), (TSCLColorList{clRed, clBlue}));
}

TEST(Sclshapefill, EmptinessAndBitmapFollowTheStyle)
{
    TSCLShapeFill fill;
    EXPECT_FALSE(fill.GetEmpty());
    EXPECT_EQ(fill.GetBitmap(), nullptr);
    fill.SetFillStyle(sfBitmapList);
    EXPECT_TRUE(fill.GetEmpty());
    TBitmap picture;
    picture.SetSize(2, 2);
    fill.SetListBitmap(&picture);
    EXPECT_FALSE(fill.GetEmpty());
    EXPECT_EQ(fill.GetBitmap(), fill.ListBitmap());
    fill.SetListBitmap(nullptr);
    EXPECT_TRUE(fill.GetEmpty());
}
