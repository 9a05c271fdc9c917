// Frames, borders, triangles and button faces, checked as pixel pictures.

#include "components/foundations/Sclutils.h"
#include "tests/support/Gui_Application.h"

#include "components/foundations/Sclclass.h"
#include "tests/support/Pixel_Map.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// White '.', black '#', grey 'g', silver 's', red 'r', blue 'b'.
const std::map<COLORREF, char> legend{{0xFFFFFF, '.'}, {0x000000, '#'}, {0x808080, 'g'},
                                      {0xC0C0C0, 's'}, {0x0000FF, 'r'}, {0xFF0000, 'b'}};

class Sclutils_Frames : public ::testing::Test {
protected:
    void SetUp() override { Ensure_Gui_Application(); }

    TCanvas* Surface(int w, int h, TColor fill = clWhite)
    {
        bitmap.SetSize(w, h);
        bitmap.Canvas()->Brush()->SetColor(fill);
        bitmap.Canvas()->FillRect(RECT{0, 0, w, h});
        return bitmap.Canvas();
    }

    std::string Map()
    {
        return Pixel_Map(bitmap.Width(), bitmap.Height(), [&](int x, int y) {
            auto found = legend.find(bitmap.Canvas()->Pixels(x, y));
            return found == legend.end() ? '?' : found->second;
        });
    }

    TBitmap bitmap;
};

TEST_F(Sclutils_Frames, Frame3DDrawsEachStyleAndShrinksToTheInside)
{
    struct Case {
        TSCLBevelStyle style;
        int width;
        RECT inside;
        std::string picture;
    };
    const Case cases[] = {
        {bvRaised, 1, {1, 1, 4, 4}, Picture({"rrrrb.", "r...b.", "r...b.", "r...b.", "rbbbb.", "......"})},
        {bvLowered, 1, {1, 1, 4, 4}, Picture({"bbbbr.", "b...r.", "b...r.", "b...r.", "brrrr.", "......"})},
        {bvNormal, 1, {1, 1, 4, 4}, Picture({"#####.", "#...#.", "#...#.", "#...#.", "#####.", "......"})},
        // Etched: shadow frame one pixel in, light frame over it.
        {bvFrameRaised, 1, {2, 2, 4, 4}, Picture({"rrrrr.", "rbbbrb", "rb..rb", "rb..rb", "rrrrrb", ".bbbbb"})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        TCanvas* canvas = Surface(6, 6);
        RECT r{0, 0, 5, 5};
        if (c.style == bvFrameRaised)
            r = RECT{0, 0, 6, 6};
        EXPECT_TRUE(SCLDrawFrame3D(canvas, r, c.style, clRed, clBlue, c.width));
        EXPECT_EQ(Map(), c.picture);
        EXPECT_EQ(r.left, c.inside.left);
        EXPECT_EQ(r.top, c.inside.top);
        EXPECT_EQ(r.right, c.inside.right);
        EXPECT_EQ(r.bottom, c.inside.bottom);
    }
}

TEST_F(Sclutils_Frames, WideFrame3DIsTwoPolygons)
{
    TCanvas* canvas = Surface(8, 8);
    RECT r{0, 0, 8, 8};
    EXPECT_TRUE(SCLDrawFrame3D(canvas, r, bvRaised, clRed, clBlue, 2));
    EXPECT_EQ(r.left, 2);
    EXPECT_EQ(r.bottom, 6);
    const std::string map = Map();
    EXPECT_EQ(map.substr(0, 6), "rrrrrr");                       // top edge in light
    EXPECT_EQ(canvas->Pixels(7, 3), 0xFF0000u);                    // right edge in shadow
    EXPECT_EQ(canvas->Pixels(0, 3), 0x0000FFu);                    // left edge in light
    EXPECT_EQ(canvas->Pixels(3, 7), 0xFF0000u);                    // bottom edge in shadow
    EXPECT_EQ(canvas->Pixels(3, 3), 0xFFFFFFu);                    // inside untouched
}

TEST_F(Sclutils_Frames, Frame3DRefusesNothingToDraw)
{
    for (auto [style, width] : {std::pair{bvRaised, 0}, std::pair{bvNone, 2}, std::pair{bvShadow, 2}}) {
        TCanvas* canvas = Surface(4, 4);
        RECT r{0, 0, 4, 4};
        EXPECT_FALSE(SCLDrawFrame3D(canvas, r, style, clRed, clBlue, width));
        EXPECT_EQ(r.right, 4);
        EXPECT_EQ(r.left, 0);
        EXPECT_EQ(Map(), Picture({"....", "....", "....", "...."}));
    }
}

TEST_F(Sclutils_Frames, StdFrameShrinksByTheWidthItAnswers)
{
    struct Case {
        TSCLBorderStyle style;
        int width;
    };
    const Case cases[] = {{lsNone, 0},         {lsSingleRaised, 1}, {lsSingleLowered, 1}, {lsLowered, 2},
                          {lsRaised, 2},       {lsFrameInset, 2},   {lsFrameOffset, 2},   {lsWindowBorder, 2},
                          {lsDoubleRaised, 2}, {lsDoubleLowered, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        EXPECT_EQ(SCLDrawStdFrameExt(c.style), c.width);
        TCanvas* canvas = Surface(8, 8);
        RECT r{0, 0, 8, 8};
        EXPECT_TRUE(SCLDrawStdFrame(canvas, r, c.style, 0));
        EXPECT_EQ(r.left, c.width);
        EXPECT_EQ(r.top, c.width);
        EXPECT_EQ(r.right, 8 - c.width);
        EXPECT_EQ(r.bottom, 8 - c.width);
    }
}

TEST_F(Sclutils_Frames, SingleStdFrameIsASoftLine)
{
    TCanvas* canvas = Surface(4, 4, clSilver);
    RECT r{0, 0, 4, 4};
    SCLDrawStdFrame(canvas, r, lsSingle, 0);
    EXPECT_EQ(Map(), Picture({"####", "#ss#", "#ss#", "####"}));
    EXPECT_EQ(r.left, 1);
    EXPECT_EQ(r.top, 1);
}

TEST_F(Sclutils_Frames, FrameShadowFillsTheShadowAndTheCornerGaps)
{
    TCanvas* canvas = Surface(6, 6);
    RECT r{0, 0, 6, 6};
    SCLDrawFrameShadow(canvas, r, clBlack, clGray, clRed, 2, 1, false, 0);
    EXPECT_EQ(Map(), Picture({"####rr", "#..#rr", "#..#gg", "####gg", "rrgggg", "rrgggg"}));
    EXPECT_EQ(r.left, 1);
    EXPECT_EQ(r.right, 3);

    canvas = Surface(6, 6);
    r = RECT{0, 0, 6, 6};
    SCLDrawFrameShadow(canvas, r, clBlack, clGray, clRed, 2, 0, true, 0);
    EXPECT_EQ(Map(), Picture({"......", "......", "....gg", "....gg", "..gggg", "..gggg"}));
}

TEST_F(Sclutils_Frames, BorderDrawsTopLeftAndBottomRightColours)
{
    TCanvas* canvas = Surface(4, 4);
    SCLDrawBorder(canvas, RECT{0, 0, 4, 4}, clRed, clBlue);
    EXPECT_EQ(Map(), Picture({"rrrb", "r..b", "r..b", "rbbb"}));
}

TEST_F(Sclutils_Frames, CtrlBorderWidth)
{
    EXPECT_EQ(SCLGetCtrlBorderWidth(true, bsSingle), 2);
    EXPECT_EQ(SCLGetCtrlBorderWidth(false, bsSingle), 1);
    EXPECT_EQ(SCLGetCtrlBorderWidth(true, bsSizeable), 0);
}

TEST_F(Sclutils_Frames, TrianglesPointDownOrUpAndStayWithinTheirSizes)
{
    TCanvas* canvas = Surface(7, 4);
    SCLDrawTriangle(canvas, 1, 0, 3, clBlack, true, true);
    EXPECT_EQ(Map(), Picture({".#####.", "..###..", "...#...", "......."}));

    canvas = Surface(7, 4);
    SCLDrawTriangle(canvas, 2, 0, 3, clBlack, false, true);
    EXPECT_EQ(Map(), Picture({"...#...", "..###..", ".#####.", "......."}));

    for (int size : {1, 16}) {
        canvas = Surface(7, 4);
        SCLDrawTriangle(canvas, 0, 0, size, clBlack, true, true);
        EXPECT_EQ(Map(), Picture({".......", ".......", ".......", "......."}));
    }
}

TEST_F(Sclutils_Frames, DisabledTriangleIsGreyOverAHighlightCopy)
{
    TCanvas* canvas = Surface(6, 4, clSilver);
    SCLDrawTriangle(canvas, 0, 0, 2, clBlack, true, false);
    EXPECT_EQ(canvas->Pixels(0, 0), 0x808080u);
    EXPECT_EQ(canvas->Pixels(1, 1), 0x808080u);
    EXPECT_EQ(canvas->Pixels(3, 1), 0xFFFFFFu);
    EXPECT_EQ(canvas->Pixels(2, 2), 0xFFFFFFu);
}

class Sclutils_Button_Face : public Sclutils_Frames {};

TEST_F(Sclutils_Button_Face, ContentAreaShiftsWhenPressed)
{
    const struct {
        TSCLButtonState state;
        RECT content;
    } cases[] = {{bsUp, {3, 3, 9, 9}},           {bsMouseOver, {3, 3, 9, 9}}, {bsDown, {4, 4, 10, 10}},
                 {bsOptionSet, {4, 4, 10, 10}}, {bsDisabledDown, {4, 4, 10, 10}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        TCanvas* canvas = Surface(12, 12);
        RECT r{0, 0, 12, 12};
        EXPECT_TRUE(SCLDrawBtnFace(canvas, false, r, ubsWin40, c.state, SCLBF_NEWSTYLE, clSilver));
        EXPECT_EQ(r.left, c.content.left);
        EXPECT_EQ(r.top, c.content.top);
        EXPECT_EQ(r.right, c.content.right);
        EXPECT_EQ(r.bottom, c.content.bottom);
    }
}

TEST_F(Sclutils_Button_Face, EachStyleAndStatePaintsItsFace)
{
    struct Case {
        TSCLUserButtonStyle style;
        TSCLButtonState state;
        WORD flags;
        bool solid_latched;
        std::string picture;
    };
    const Case cases[] = {
        {ubsWin40, bsUp, SCLBF_NEWSTYLE, false, Picture({".....#", ".sssg#", ".sssg#", ".sssg#", ".gggg#", "######"})},
        {ubsWin40, bsDown, SCLBF_NEWSTYLE, false,
         Picture({"#####.", "#gggs.", "#gsss.", "#gsss.", "#ssss.", "......"})},
        {ubsWin40, bsDown, 0, false, Picture({"######", "#gggg#", "#gssg#", "#gssg#", "#gggg#", "######"})},
        {ubsWin31, bsUp, SCLBF_CORNERS, false,
         Picture({"s####s", "#...g#", "#..gg#", "#.ggg#", "#gggg#", "s####s"})},
        {ubsClassic, bsDown, 0, false, Picture({"######", "#gggg#", "#gsss#", "#gsss#", "#gsss#", "######"})},
        {ubsClassicFlat, bsMouseOver, 0, false,
         Picture({"######", "#...g#", "#.ssg#", "#.ssg#", "#gggg#", "######"})},
        {ubsFlat, bsUp, 0, false, Picture({"ssssss", "ssssss", "ssssss", "ssssss", "ssssss", "ssssss"})},
        {ubsExplorer, bsUp, 0, false, Picture({"rrrrrr", "rrrrrr", "rrrrrr", "rrrrrr", "rrrrrr", "rrrrrr"})},
        {ubsIntegrated, bsUp, 0, false, Picture({"######", "#sssg#", "#s..g#", "#s..g#", "#sggg#", "######"})},
        // Latched: a dither of the colour, unless a flat style asks for solid.
        {ubsWin40, bsOptionSet, SCLBF_NEWSTYLE, false,
         Picture({"#####.", "#gggs.", "#g.ss.", "#gs.s.", "#ssss.", "......"})},
        {ubsFlat, bsOptionSet, 0, true, Picture({"ggggg.", "gssss.", "gssss.", "gssss.", "gssss.", "......"})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.style << "/" << c.state);
        TCanvas* canvas = Surface(6, 6, clRed);
        canvas->Pen()->SetColor(clBlack);
        RECT r{0, 0, 6, 6};
        SCLDrawBtnFace(canvas, c.solid_latched, r, c.style, c.state, c.flags, clSilver);
        EXPECT_EQ(Map(), c.picture);
    }
}

TEST_F(Sclutils_Button_Face, FocusRectangleLiesInsideTheFace)
{
    TCanvas* canvas = Surface(10, 10, clSilver);
    RECT r{0, 0, 10, 10};
    SCLDrawBtnFace(canvas, false, r, ubsFlat, bsUp, SCLBF_FOCUSED, clSilver);
    // Dotted: every other pixel of the rectangle (3, 3, 7, 7) inverted.
    EXPECT_NE(canvas->Pixels(3, 3), 0xC0C0C0u);
    EXPECT_EQ(canvas->Pixels(2, 2), 0xC0C0C0u);
    EXPECT_EQ(canvas->Pixels(5, 5), 0xC0C0C0u);
}

TEST(Sclutils_Button_Style, FlatStyles)
{
    EXPECT_FALSE(SCLDrawBtnIsFlat(ubsClassic));
    EXPECT_TRUE(SCLDrawBtnIsFlat(ubsClassicFlat));
    EXPECT_TRUE(SCLDrawBtnIsFlat(ubsExplorerColored));
    EXPECT_FALSE(SCLDrawBtnIsFlat(ubsIntegrated));
}

} // namespace
