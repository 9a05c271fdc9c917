#include "components/controls/Sclbevel.h"

#include "platform/classlib/Graphics_Bitmap.h"
#include "tests/components/controls/Settings_Holder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace controls_test;

SCL_SETTINGS_HOLDER(TSCLBevel);

namespace {

constexpr TColor back = 0x123456;
constexpr TColor light = 0x0000FF;
constexpr TColor shadow = 0x00FF00;
constexpr TColor border = 0xFF0000;

std::unique_ptr<TBitmap> Back_Bitmap(int width, int height)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(width, height);
    bitmap->Canvas()->Brush()->SetColor(back);
    bitmap->Canvas()->FillRect(RECT{0, 0, width, height});
    return bitmap;
}

void Colour(TSCLBevel& bevel)
{
    bevel.SetColor(0, border);
    bevel.SetColor(1, light);
    bevel.SetColor(2, shadow);
}

int Counted_Changes(TSCLBevel& bevel, int& changes)
{
    bevel.OnChange = [&changes](TObject*) { ++changes; };
    return changes;
}

// The inset a style of width w adds, as the frame drawing draws it.
int Style_Inset(TSCLBevelStyle style, int w)
{
    switch (style) {
    case bvNone: return 0;
    case bvFrameLowered:
    case bvFrameRaised: return w + 1;
    default: return w;
    }
}

// Painting, opaque and transparent, leaves the same inside as ClientRect.
void Expect_Paint_Matches_Client_Rect(TSCLBevel& bevel, const std::string& what)
{
    const RECT rect{0, 0, 40, 30};
    for (bool transparent : {false, true}) {
        auto bitmap = Back_Bitmap(40, 30);
        const RECT inner = bevel.PaintBevel(bitmap->Canvas(), rect, transparent);
        const RECT client = bevel.ClientRect(rect);
        EXPECT_EQ(inner.left, client.left) << what;
        EXPECT_EQ(inner.top, client.top) << what;
        EXPECT_EQ(inner.right, client.right) << what;
        EXPECT_EQ(inner.bottom, client.bottom) << what;
    }
}

} // namespace

TEST(Sclbevel, ANewBevelHasNoExtentAndPaintsNothing)
{
    TSCLBevel bevel;
    auto bitmap = Back_Bitmap(10, 10);
    const RECT rect{0, 0, 10, 10};
    EXPECT_EQ(bevel.BevelExtent(), 0);
    const RECT inner = bevel.PaintBevel(bitmap->Canvas(), rect, false);
    EXPECT_EQ(inner.right, 10);
    EXPECT_EQ(bevel.ClientRect(rect).left, 0);
    EXPECT_EQ(bitmap->Canvas()->Pixels(0, 0), back);
}

TEST(Sclbevel, CustomExtentOverEveryPairOfStyles)
{
    constexpr TSCLBevelStyle styles[] = {bvNone, bvLowered, bvRaised, bvFrameLowered, bvFrameRaised, bvNormal,
                                         bvShadow};
    for (TSCLBevelStyle outer : styles) {
        for (TSCLBevelStyle inner : styles) {
            TSCLBevel bevel;
            bevel.SetWidthOuter(3);
            bevel.SetWidthInner(2);
            bevel.SetBorderWidth(4);
            bevel.SetBorderSpace(1);
            bevel.SetBevelStyleOuter(outer);
            bevel.SetBevelStyleInner(inner);
            const std::string what = SCLEnumName(outer) + "/" + SCLEnumName(inner);
            int expected;
            if (bevel.StyleInner() == bvShadow) {
                expected = 2 + 1;
                EXPECT_EQ(bevel.StyleOuter(), bvShadow) << what;
                EXPECT_EQ(bevel.ShadowExtent(), 2 + 3 + 1) << what;
            } else if (bevel.StyleOuter() == bvNone && bevel.StyleInner() == bvNone) {
                expected = 4 + 1;
            } else {
                expected = 4 + 1 + Style_Inset(bevel.StyleOuter(), 3) + Style_Inset(bevel.StyleInner(), 2);
            }
            EXPECT_EQ(bevel.GetBevelExtend(), expected) << what;
            EXPECT_EQ(bevel.BevelExtent(), expected) << what;
            Expect_Paint_Matches_Client_Rect(bevel, what);
        }
    }
}

TEST(Sclbevel, StandardExtentOverEveryBorderStyle)
{
    for (int s = lsNone; s <= lsDoubleLowered; ++s) {
        const auto style = static_cast<TSCLBorderStyle>(s);
        TSCLBevel bevel;
        bevel.SetBorderSpace(1);
        bevel.SetMode(bmStandard);
        bevel.SetStyle(style);
        const int frame = style == lsNone ? 0 : (style == lsSingle || style == lsSingleRaised || style == lsSingleLowered) ? 1 : 2;
        EXPECT_EQ(bevel.BevelExtent(), frame + 1) << SCLEnumName(style);
    }
}

TEST(Sclbevel, EdgeExtentOverEveryEdgeStyleWithAndWithoutSides)
{
    for (int e = etRaisedInner; e <= etSunken; ++e) {
        for (bool sides : {true, false}) {
            TSCLBevel bevel;
            bevel.SetBorderSpace(2);
            bevel.SetMode(bmEdge);
            bevel.SetEdgeStyle(static_cast<TSCLEdgeStyle>(e));
            if (!sides)
                bevel.SetBorderSides({});
            EXPECT_EQ(bevel.BevelExtent(), (sides ? 2 : 0) + 2);
            Expect_Paint_Matches_Client_Rect(bevel, SCLEnumName(static_cast<TSCLEdgeStyle>(e)));
        }
    }
}

TEST(Sclbevel, WindowsExtentDependsOnWhoDrawsTheBorder)
{
    TSCLBevel bevel;
    bevel.SetBorderSpace(1);
    bevel.SetMode(bmWindows);
    EXPECT_EQ(bevel.BevelExtent(), 3);
    Expect_Paint_Matches_Client_Rect(bevel, "windows");
    bevel.SetWindowBorder(true);
    EXPECT_EQ(bevel.BevelExtent(), 0);
    EXPECT_EQ(bevel.ClientRect(RECT{0, 0, 10, 10}).left, 0);
}

TEST(Sclbevel, FrameRaisedOuterOfWidthOneAddsTwo)
{
    TSCLBevel bevel;
    bevel.SetBevelStyleOuter(bvFrameRaised);
    bevel.SetBorderWidth(3);
    bevel.SetBorderSpace(1);
    EXPECT_EQ(bevel.BevelExtent(), 2 + 3 + 1);
}

TEST(Sclbevel, RaisedFrameWithBorderBandsByPixels)
{
    TSCLBevel bevel;
    Colour(bevel);
    bevel.SetBevelStyleOuter(bvRaised);
    bevel.SetBorderWidth(1);
    bevel.SetBorderSpace(1);
    auto bitmap = Back_Bitmap(10, 10);
    TCanvas* canvas = bitmap->Canvas();
    const RECT inner = bevel.PaintBevel(canvas, RECT{0, 0, 10, 10}, false);
    EXPECT_EQ(inner.left, 3);
    EXPECT_EQ(inner.right, 7);
    EXPECT_EQ(canvas->Pixels(0, 0), light);
    EXPECT_EQ(canvas->Pixels(5, 0), light);
    EXPECT_EQ(canvas->Pixels(9, 9), shadow);
    EXPECT_EQ(canvas->Pixels(9, 5), shadow);
    EXPECT_EQ(canvas->Pixels(1, 1), border);
    EXPECT_EQ(canvas->Pixels(8, 5), border);
    EXPECT_EQ(canvas->Pixels(2, 2), border);
    EXPECT_EQ(canvas->Pixels(3, 3), back);
}

TEST(Sclbevel, TransparentPaintLeavesTheBandsAndReturnsTheSameInside)
{
    TSCLBevel bevel;
    Colour(bevel);
    bevel.SetBevelStyleOuter(bvRaised);
    bevel.SetBorderWidth(1);
    bevel.SetBorderSpace(1);
    auto bitmap = Back_Bitmap(10, 10);
    TCanvas* canvas = bitmap->Canvas();
    const RECT inner = bevel.PaintBevel(canvas, RECT{0, 0, 10, 10}, true);
    EXPECT_EQ(inner.left, 3);
    EXPECT_EQ(inner.bottom, 7);
    EXPECT_EQ(canvas->Pixels(0, 0), light);
    EXPECT_EQ(canvas->Pixels(1, 1), back);
    EXPECT_EQ(canvas->Pixels(2, 2), back);
}

TEST(Sclbevel, ShadowModeDrawsTheShadowAtRightAndBottom)
{
    TSCLBevel bevel;
    Colour(bevel);
    bevel.SetBevelStyleInner(bvShadow);
    bevel.SetWidthOuter(3);
    bevel.SetWidthInner(1);
    auto bitmap = Back_Bitmap(20, 20);
    TCanvas* canvas = bitmap->Canvas();
    const RECT inner = bevel.PaintBevel(canvas, RECT{0, 0, 20, 20}, false);
    EXPECT_EQ(inner.left, 1);
    EXPECT_EQ(inner.right, 20 - 3 - 1);
    EXPECT_EQ(canvas->Pixels(18, 10), shadow);
    EXPECT_EQ(canvas->Pixels(10, 18), shadow);
    EXPECT_EQ(canvas->Pixels(18, 1), border); // the corner gap, opaque
    EXPECT_EQ(canvas->Pixels(0, 5), light);   // the frame
    EXPECT_EQ(canvas->Pixels(5, 5), back);
}

TEST(Sclbevel, EdgeModeDrawsOnlyTheChosenSides)
{
    TSCLBevel bevel;
    bevel.SetMode(bmEdge);
    bevel.SetEdgeStyle(etSunken);
    bevel.SetBorderSides({fsLeft});
    auto bitmap = Back_Bitmap(10, 10);
    TCanvas* canvas = bitmap->Canvas();
    bevel.PaintBevel(canvas, RECT{0, 0, 10, 10}, false);
    EXPECT_NE(canvas->Pixels(0, 5), back);
    EXPECT_NE(canvas->Pixels(1, 5), back);
    EXPECT_EQ(canvas->Pixels(5, 0), back);
    EXPECT_EQ(canvas->Pixels(9, 5), back);
    EXPECT_EQ(canvas->Pixels(5, 9), back);
}

TEST(Sclbevel, EdgeModeWithoutSidesDrawsOnlyTheInnerBand)
{
    TSCLBevel bevel;
    Colour(bevel);
    bevel.SetMode(bmEdge);
    bevel.SetBorderSides({});
    bevel.SetBorderSpace(1);
    auto bitmap = Back_Bitmap(10, 10);
    TCanvas* canvas = bitmap->Canvas();
    const RECT inner = bevel.PaintBevel(canvas, RECT{0, 0, 10, 10}, false);
    EXPECT_EQ(inner.left, 1);
    EXPECT_EQ(canvas->Pixels(0, 0), border);
    EXPECT_EQ(canvas->Pixels(1, 1), back);
}

TEST(Sclbevel, WindowsModeDrawsALoweredTwoPixelFrame)
{
    TSCLBevel bevel;
    bevel.SetMode(bmWindows);
    auto bitmap = Back_Bitmap(10, 10);
    TCanvas* canvas = bitmap->Canvas();
    const RECT inner = bevel.PaintBevel(canvas, RECT{0, 0, 10, 10}, false);
    EXPECT_EQ(inner.left, 2);
    EXPECT_EQ(canvas->Pixels(0, 5), static_cast<TColor>(0x808080)); // button shadow, top-left outer
    EXPECT_EQ(canvas->Pixels(9, 5), static_cast<TColor>(0xFFFFFF)); // highlight, bottom-right outer
    EXPECT_EQ(canvas->Pixels(2, 2), back);
}

TEST(Sclbevel, ShadowInnerStylePullsTheOuterStyle)
{
    TSCLBevel bevel;
    bevel.SetBevelStyleOuter(bvRaised);
    bevel.SetBevelStyleInner(bvShadow);
    EXPECT_EQ(bevel.StyleOuter(), bvShadow);
    bevel.SetBevelStyleInner(bvLowered);
    EXPECT_EQ(bevel.StyleOuter(), bvNone);
    bevel.SetBevelStyleOuter(bvShadow);
    EXPECT_EQ(bevel.StyleInner(), bvShadow);
    bevel.SetBevelStyleOuter(bvRaised);
    EXPECT_EQ(bevel.StyleInner(), bvNone);
}

TEST(Sclbevel, StandardStyleNotifiesOnlyInStandardMode)
{
    TSCLBevel bevel;
    int changes = 0;
    Counted_Changes(bevel, changes);
    bevel.SetStyle(lsRaised);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(bevel.StandardStyle(), lsRaised);
    bevel.SetMode(bmStandard);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(bevel.BevelExtent(), 2);
    bevel.SetStyle(lsSingle);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(bevel.BevelExtent(), 1);
}

TEST(Sclbevel, SwitchingWindowsModeWithAWindowBorderAsksForANewWindow)
{
    TSCLBevel bevel;
    EXPECT_FALSE(bevel.GetRecreateWnd());
    bevel.SetMode(bmWindows);
    EXPECT_FALSE(bevel.GetRecreateWnd());
    bevel.SetWindowBorder(true);
    EXPECT_TRUE(bevel.GetRecreateWnd()); // windows mode with the window's border
    bevel.SetMode(bmEdge);
    EXPECT_TRUE(bevel.GetRecreateWnd());
    EXPECT_FALSE(bevel.GetRecreateWnd()); // consumed
}

TEST(Sclbevel, AssignCopiesEverythingWithOneChange)
{
    TSCLBevel source;
    Colour(source);
    source.SetBevelStyleOuter(bvFrameLowered);
    source.SetWidthOuter(4);
    source.SetBorderWidth(2);
    source.SetBorderSides({fsTop});
    source.SetEdgeStyle(etBump);
    source.SetStyle(lsRaised);
    source.SetWindowBorder(true);
    TSCLBevel target;
    int changes = 0;
    Counted_Changes(target, changes);
    target.Assign(&source);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(target.StyleOuter(), bvFrameLowered);
    EXPECT_EQ(target.WidthOuter(), 4);
    EXPECT_EQ(target.BorderColor(), border);
    EXPECT_EQ(target.LightColor(), light);
    EXPECT_EQ(target.ShadowColor(), shadow);
    EXPECT_EQ(target.BorderSides(), (TSCLFrameSides{fsTop}));
    EXPECT_EQ(target.EdgeStyle(), etBump);
    EXPECT_EQ(target.StandardStyle(), lsRaised);
    EXPECT_TRUE(target.WindowBorder());
    EXPECT_EQ(target.BevelExtent(), source.BevelExtent());
}

TEST(Sclbevel, SummaryNamesTheMode)
{
    TSCLBevel bevel;
    const std::pair<TSCLBevelMode, const char*> cases[] = {
        {bmCustom, "{Custom style}"}, {bmStandard, "{Standard style}"}, {bmEdge, "{Etged style}"},
        {bmWindows, "{Windows style}"}};
    for (const auto& [mode, text] : cases) {
        bevel.SetMode(mode);
        EXPECT_EQ(bevel.GetSetStr(), text);
    }
}

TEST(Sclbevel, FormResourceSetsTheSubObject)
{
    auto holder = Read_Holder<THolder_TSCLBevel>("Settings.StyleOuter = bvRaised\n"
                                                 "Settings.WidthOuter = 2\n"
                                                 "Settings.LightColor = clRed\n"
                                                 "Settings.BorderSides = [fsLeft, fsTop]\n"
                                                 "Settings.Mode = bmEdge\n"
                                                 "Settings.StandardStyle = lsRaised");
    ASSERT_NE(holder, nullptr);
    EXPECT_EQ(holder->Settings.StyleOuter(), bvRaised);
    EXPECT_EQ(holder->Settings.WidthOuter(), 2);
    EXPECT_EQ(holder->Settings.LightColor(), static_cast<TColor>(0x0000FF));
    EXPECT_EQ(holder->Settings.BorderSides(), (TSCLFrameSides{fsLeft, fsTop}));
    EXPECT_EQ(holder->Settings.Mode(), bmEdge);
    EXPECT_EQ(holder->Settings.StandardStyle(), lsRaised);
    EXPECT_EQ(holder->Settings.BevelExtent(), 2);
}

TEST(Sclbevel, AFreshBevelStoresOnlyItsMode)
{
    THolder_TSCLBevel holder(nullptr);
    EXPECT_EQ(Stored_Names(holder), std::vector<std::string>{"Settings.Mode"});
}
