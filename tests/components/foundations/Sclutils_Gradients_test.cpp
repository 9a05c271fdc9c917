// Colour lists, palettes and gradient styles on tiny rectangles.

#include "components/foundations/Sclutils.h"
#include "tests/support/Gui_Application.h"

#include "tests/support/Pixel_Map.h"

#include <gtest/gtest.h>

#include <array>
#include <map>

namespace {

const std::map<COLORREF, char> legend{{0xFFFFFF, '.'}, {0x0000FF, 'r'}, {0x00FF00, 'g'}, {0xFF0000, 'b'}};

class Sclutils_Gradients : public ::testing::Test {
protected:
    void SetUp() override
    {
        Ensure_Gui_Application();
        Reset(5, 5);
    }

    void Reset(int w, int h)
    {
        SCLBmpCreateFromRect(&surface, RECT{0, 0, w, h}, clWhite);
    }

    std::string Map()
    {
        return Pixel_Map(surface.Width(), surface.Height(), [&](int x, int y) {
            auto found = legend.find(surface.Canvas()->Pixels(x, y));
            return found == legend.end() ? '?' : found->second;
        });
    }

    std::string Paint(TSCLGradientStyle style, const TSCLColorList& colors, WORD flags = 0)
    {
        SCLGradientPaintExt(surface.Canvas(), RECT{0, 0, surface.Width(), surface.Height()}, style, &colors,
                            nullptr, flags, 0);
        return Map();
    }

    TBitmap surface;
};

TEST(Sclutils_Color_List, StepsRunFromTheFirstColourToTheSecond)
{
    TSCLColorList list;
    SCLGradientCreateColorList(clBlack, clWhite, 3, &list, true);
    EXPECT_EQ(list, (TSCLColorList{0x000000, 0x808080, 0xFFFFFF}));

    // Appending leaves what is there and skips the shared first step.
    SCLGradientCreateColorList(clWhite, clRed, 2, &list, false);
    EXPECT_EQ(list, (TSCLColorList{0x000000, 0x808080, 0xFFFFFF, 0x0000FF}));

    SCLGradientCreateColorList(clBtnShadow, clBtnFace, 2, &list, true);
    EXPECT_EQ(list, (TSCLColorList{0x808080, 0xC0C0C0}));
}

TEST(Sclutils_Color_List, OneStepGivesItsColourAndNoStepNothing)
{
    TSCLColorList list{0x123456};
    SCLGradientCreateColorList(clRed, clBlue, 1, &list, true);
    EXPECT_EQ(list, (TSCLColorList{0x0000FF}));
    SCLGradientCreateColorList(clRed, clBlue, 0, &list, true);
    EXPECT_EQ(list, (TSCLColorList{0x0000FF}));
    SCLGradientCreateColorList(clRed, clBlue, 3, nullptr, true);
}

TEST(Sclutils_Color_List, GetColorInterpolatesRgbAndRoundsHalvesToEven)
{
    EXPECT_EQ(SCLGradientGetColor(clBtnShadow, clWhite, 1, 2), 0xC0C0C0u);
    EXPECT_EQ(SCLGradientGetColor(0x000000, 0x000001, 1, 2), 0x000000u);
    EXPECT_EQ(SCLGradientGetColor(0x000000, 0x000003, 1, 2), 0x000002u);
    EXPECT_EQ(SCLGradientGetColor(clRed, clBlue, 0, 0), 0x0000FFu);
}

TEST(Sclutils_Color_List, PaletteHoldsTheColoursInOrder)
{
    const TSCLColorList list{0x0000FF, 0x00FF00};
    HPALETTE palette = SCLGradientCreatePalette(&list);
    ASSERT_NE(palette, nullptr);
    std::array<PALETTEENTRY, 2> entries{};
    EXPECT_EQ(GetPaletteEntries(palette, 0, 2, entries.data()), 2u);
    EXPECT_EQ(entries[0].peRed, 0xFF);
    EXPECT_EQ(entries[1].peGreen, 0xFF);
    EXPECT_EQ(entries[1].peFlags, PC_NOCOLLAPSE);
    DeleteObject(palette);
    const TSCLColorList empty;
    EXPECT_EQ(SCLGradientCreatePalette(&empty), nullptr);
}

TEST_F(Sclutils_Gradients, TwoColoursSplitWhereMulDivPutsIt)
{
    Reset(5, 1);
    EXPECT_EQ(Paint(gstHorizontal, {clRed, clBlue}), "rrrbb");
    Reset(1, 4);
    EXPECT_EQ(Paint(gstVertical, {clRed, clBlue}), Picture({"r", "r", "b", "b"}));
}

TEST_F(Sclutils_Gradients, OneColourFillsTheWholeShape)
{
    const std::string full = Picture({"rrrrr", "rrrrr", "rrrrr", "rrrrr", "rrrrr"});
    for (TSCLGradientStyle style : {gstHorizontal, gstVertical, gstSquare, gstElliptic, gstTopLeft, gstTopRight,
                                    gstBottomLeft, gstBottomRight, gstTopLeftDiagonal}) {
        SCOPED_TRACE(style);
        Reset(5, 5);
        EXPECT_EQ(Paint(style, {clRed}), full);
    }
}

TEST_F(Sclutils_Gradients, ShapedStylesStartAtTheirCentreOrCorner)
{
    const struct {
        TSCLGradientStyle style;
        std::string picture;
    } cases[] = {
        {gstSquare, Picture({"bbbbb", "brrrb", "brrrb", "brrrb", "bbbbb"})},
        {gstTopLeft, Picture({"rrrbb", "rrrbb", "rrrbb", "bbbbb", "bbbbb"})},
        {gstBottomRight, Picture({"bbbbb", "bbbbb", "bbrrr", "bbrrr", "bbrrr"})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        Reset(5, 5);
        EXPECT_EQ(Paint(c.style, {clRed, clBlue}), c.picture);
    }
}

TEST_F(Sclutils_Gradients, OffScreenPaintsTheSamePixels)
{
    const std::string direct = Paint(gstElliptic, {clRed, clLime, clBlue});
    Reset(5, 5);
    EXPECT_EQ(Paint(gstElliptic, {clRed, clLime, clBlue}, SCLGD_OFFSCREEN), direct);
}

TEST_F(Sclutils_Gradients, ClipKeepsToTheMovedRectangle)
{
    Reset(5, 1);
    const TSCLColorList colors{clRed};
    SCLGradientPaintExt(surface.Canvas(), RECT{0, 0, 4, 1}, gstHorizontal, &colors, nullptr, SCLGD_CLIP, 2);
    EXPECT_EQ(Map(), "..rr.");
}

TEST_F(Sclutils_Gradients, SuperGradientChainsItsPairsFromTheSecondStep)
{
    Reset(4, 1);
    const std::array<TColor, 3> colors{clRed, clLime, clBlue};
    SCLSuperGradientPaint(surface.Canvas(), RECT{0, 0, 4, 1}, colors, 4, gstHorizontal, 0, 0);
    EXPECT_EQ(Map(), "ggbb");
}

TEST_F(Sclutils_Gradients, TwoColourPaintWithPalette)
{
    Reset(4, 1);
    SCLGradientPaint(surface.Canvas(), RECT{0, 0, 4, 1}, clRed, clBlue, 2, gstHorizontal, SCLGD_PALETTE, 0);
    EXPECT_EQ(Map(), "rrbb");
}

} // namespace
