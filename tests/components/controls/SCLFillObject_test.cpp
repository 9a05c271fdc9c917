#include "components/controls/SCLFillObject.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr TColor back = 0x123456;

std::unique_ptr<TBitmap> Plain(int width, int height, TColor colour)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(width, height);
    bitmap->Canvas()->Brush()->SetColor(colour);
    bitmap->Canvas()->FillRect(RECT{0, 0, width, height});
    return bitmap;
}

} // namespace

TEST(SCLFillObject, ANewFillHasNoStyleAndOnlyClearsTheArea)
{
    TSCLFillObject fill;
    EXPECT_EQ(fill.Style(), sfNone);
    EXPECT_TRUE(fill.GetTransparent());
    auto canvas = Plain(4, 4, clBlack);
    fill.FillCanvas(canvas->Canvas(), RECT{0, 0, 4, 4}, back);
    EXPECT_EQ(canvas->Canvas()->Pixels(3, 3), back);
}

TEST(SCLFillObject, BrushFillCoversTheRectangle)
{
    TSCLFillObject fill;
    fill.Brush()->SetColor(clRed);
    fill.SetFillStyle(sfBrush);
    auto canvas = Plain(6, 6, clBlack);
    fill.FillCanvas(canvas->Canvas(), RECT{1, 1, 5, 5}, back);
    EXPECT_EQ(canvas->Canvas()->Pixels(0, 0), clBlack);
    EXPECT_EQ(canvas->Canvas()->Pixels(1, 1), clRed);
    EXPECT_EQ(canvas->Canvas()->Pixels(4, 4), clRed);
    EXPECT_EQ(canvas->Canvas()->Pixels(5, 5), clBlack);
}

TEST(SCLFillObject, UntiledBitmapIsAlignedAndOffset)
{
    TSCLFillObject fill;
    auto picture = Plain(2, 2, clBlue);
    fill.SetBitmap(picture.get());
    fill.SetFillStyle(sfBitmap);
    fill.SetTileMode(tmNone);
    int changes = 0;
    fill.OnChange = [&changes](TObject*) { ++changes; };
    fill.SetAlignment(agBottomRight);
    fill.SetInteger(0, -1);
    EXPECT_EQ(changes, 2);
    auto canvas = Plain(8, 8, clBlack);
    fill.FillCanvas(canvas->Canvas(), RECT{0, 0, 8, 8}, back);
    EXPECT_EQ(canvas->Canvas()->Pixels(5, 6), clBlue);
    EXPECT_EQ(canvas->Canvas()->Pixels(6, 7), clBlue);
    EXPECT_EQ(canvas->Canvas()->Pixels(7, 7), back);
    EXPECT_EQ(canvas->Canvas()->Pixels(0, 0), back);
}

TEST(SCLFillObject, PlacementNotifiesOnlyWhereItPlacesSomething)
{
    TSCLFillObject fill;
    fill.SetFillStyle(sfBitmap); // tiled
    int changes = 0;
    fill.OnChange = [&changes](TObject*) { ++changes; };
    fill.SetAlignment(agCenter);
    fill.SetInteger(1, 4);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(fill.Alignment(), agCenter);
    EXPECT_EQ(fill.OffsetY(), 4);
}

TEST(SCLFillObject, TiledBitmapRepeatsOverTheArea)
{
    TSCLFillObject fill;
    auto picture = Plain(2, 2, clBlue);
    picture->Canvas()->SetPixels(0, 0, clLime);
    fill.SetBitmap(picture.get());
    fill.SetFillStyle(sfBitmap);
    auto canvas = Plain(6, 6, clBlack);
    fill.FillCanvas(canvas->Canvas(), RECT{0, 0, 6, 6}, back);
    EXPECT_EQ(canvas->Canvas()->Pixels(0, 0), clLime);
    EXPECT_EQ(canvas->Canvas()->Pixels(4, 4), clLime);
    EXPECT_EQ(canvas->Canvas()->Pixels(5, 5), clBlue);
}

TEST(SCLFillObject, ClipFillKeepsToTheRectangle)
{
    TSCLFillObject fill;
    fill.Brush()->SetColor(clRed);
    fill.SetFillStyle(sfBrush);
    auto canvas = Plain(6, 6, clBlack);
    fill.ClipFill(canvas->Canvas(), RECT{2, 2, 4, 4}, 0, back);
    EXPECT_EQ(canvas->Canvas()->Pixels(2, 2), clRed);
    EXPECT_EQ(canvas->Canvas()->Pixels(1, 1), clBlack);
    EXPECT_EQ(canvas->Canvas()->Pixels(4, 4), clBlack);
}

TEST(SCLFillObject, AssignCopiesFillAndOwnSettingsOnce)
{
    TSCLFillObject source;
    source.SetFillStyle(sfGradient);
    source.SetTileMode(tmStretch);
    source.SetOptions({foQuickDraw});
    source.Gradient()->SetColor(clRed);
    source.Brush()->SetColor(clLime);
    TSCLFillObject target;
    int changes = 0;
    target.OnChange = [&changes](TObject*) { ++changes; };
    target.Assign(&source);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(target.Style(), sfGradient);
    EXPECT_EQ(target.TileMode(), tmStretch);
    EXPECT_EQ(target.Options(), TSCLFillOptions{foQuickDraw});
    EXPECT_EQ(target.Gradient()->Color(), clRed);
    EXPECT_EQ(target.Brush()->Color(), clLime);
}
