// Region borders: the border settings object and the frame functions,
// checked by small exact pixel maps for the rectangle's styles and by
// chosen pixels for the other outlines.

#include "components/controls/Sclregionborder.h"

#include "tests/support/Pixel_Map.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

const std::map<char, TColor> colors{{'.', clWhite}, {'#', clBlack}, {'d', clGray}, {'y', clYellow}};

struct Surface {
    TBitmap bitmap;

    Surface(int w, int h)
    {
        bitmap.SetSize(w, h);
        TCanvas* canvas = bitmap.Canvas();
        canvas->Brush()->SetColor(clYellow);
        canvas->FillRect({0, 0, w, h});
        canvas->Brush()->SetStyle(bsClear);
        canvas->Pen()->SetWidth(1);
    }
    TCanvas* Canvas() { return bitmap.Canvas(); }
    TColor At(int x, int y) { return bitmap.Canvas()->Pixels(x, y); }
    std::string Map()
    {
        return Pixel_Map(bitmap.Width(), bitmap.Height(), [&](int x, int y) {
            const TColor c = At(x, y);
            for (const auto& [ch, color] : colors)
                if (color == c)
                    return ch;
            return '?';
        });
    }
};

// Light white, shadow grey, single black.
constexpr TColor L = clWhite;
constexpr TColor S = clGray;
constexpr TColor C = clBlack;

struct Rect_Case {
    TSCLRegionBorderStyle style;
    std::string picture;
};

TEST(SclFrameRectRgn, EachStyleHasItsPixels)
{
    const std::vector<Rect_Case> cases{
        {rbNone, Picture({"yyyyyyyy", "yyyyyyyy", "yyyyyyyy", "yyyyyyyy", "yyyyyyyy", "yyyyyyyy", "yyyyyyyy"})},
        {rbRaised, Picture({".......d", ".yyyyyyd", ".yyyyyyd", ".yyyyyyd", ".yyyyyyd", ".yyyyyyd", "dddddddd"})},
        {rbLowered, Picture({"ddddddd.", "dyyyyyy.", "dyyyyyy.", "dyyyyyy.", "dyyyyyy.", "dyyyyyy.", "........"})},
        {rbSingle, Picture({"########", "#yyyyyy#", "#yyyyyy#", "#yyyyyy#", "#yyyyyy#", "#yyyyyy#", "########"})},
        {rbSingleRaised,
         Picture({"########", "#.....d#", "#.yyyyd#", "#.yyyyd#", "#.yyyyd#", "#dddddd#", "########"})},
        {rbSingleLowered,
         Picture({"########", "#ddddd.#", "#dyyyy.#", "#dyyyy.#", "#dyyyy.#", "#......#", "########"})},
        // Outer: upper-left light, lower-right shadow exchanged with single; inner lower-right single.
        {rbRaisedpsb, Picture({".......#", ".yyyyyd#", ".yyyyyd#", ".yyyyyd#", ".yyyyyd#", ".dddddd#", "########"})},
        {rbLoweredpsb,
         Picture({"ddddddd#", "dyyyyy.#", "dyyyyy.#", "dyyyyy.#", "dyyyyy.#", "d......#", "########"})},
    };
    for (const Rect_Case& c : cases) {
        Surface s(8, 7);
        SCLFrameRectRgn(s.Canvas(), {0, 0, 8, 7}, L, S, C, c.style);
        EXPECT_EQ(s.Map(), c.picture) << TSCLEnumInfo<TSCLRegionBorderStyle>::Names[c.style];
    }
}

struct Shape_Case {
    const char* name;
    void (*frame)(TCanvas*, const RECT&, TColor, TColor, TColor, TSCLRegionBorderStyle);
    POINT upper_left;
    POINT lower_right;
};

TEST(SclFrameRgn, UpperLeftIsLightAndLowerRightShadow)
{
    const std::vector<Shape_Case> cases{
        {"ellipse", SCLFrameEllipticRgn, {10, 0}, {10, 20}},
        {"diamond", SCLFrameDiamondRgn, {5, 5}, {15, 15}},
        {"octagon", SCLFrameOctagonRgn, {0, 10}, {20, 10}},
        {"comb", SCLFrameCombRgn, {0, 10}, {20, 10}},
        {"half round", SCLFrameHalfRoundRgn, {10, 0}, {10, 20}},
        {"round shield", SCLFrameRoundShieldRgn, {0, 10}, {20, 10}},
        {"sharp shield", SCLFrameSharpShieldRgn, {2, 5}, {18, 5}},
    };
    for (const Shape_Case& c : cases) {
        SCOPED_TRACE(c.name);
        Surface raised(21, 21);
        c.frame(raised.Canvas(), {0, 0, 21, 21}, L, S, C, rbRaised);
        Surface lowered(21, 21);
        c.frame(lowered.Canvas(), {0, 0, 21, 21}, L, S, C, rbLowered);
        // Within a pixel of the chosen point, the outline has the part's colour.
        auto near = [](Surface& s, POINT p, TColor color) {
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (s.At(p.x + dx, p.y + dy) == color)
                        return true;
            return false;
        };
        EXPECT_TRUE(near(raised, c.upper_left, L));
        EXPECT_TRUE(near(raised, c.lower_right, S));
        EXPECT_FALSE(near(raised, c.upper_left, S));
        EXPECT_TRUE(near(lowered, c.upper_left, S));
        EXPECT_TRUE(near(lowered, c.lower_right, L));
        Surface none(21, 21);
        c.frame(none.Canvas(), {0, 0, 21, 21}, L, S, C, rbNone);
        EXPECT_EQ(none.Map(), Surface(21, 21).Map());
    }
}

TEST(SclFrameRgn, StarAlternatesItsColoursEdgeByEdge)
{
    Surface s(41, 41);
    SCLFrameStarRgn(s.Canvas(), {0, 0, 41, 41}, L, S, C, rbRaised);
    int light = 0;
    int shadow = 0;
    for (int y = 0; y < 41; ++y)
        for (int x = 0; x < 41; ++x) {
            light += s.At(x, y) == L;
            shadow += s.At(x, y) == S;
        }
    EXPECT_GT(light, 20);
    EXPECT_GT(shadow, 20);
    EXPECT_EQ(s.At(20, 0), L); // the tip starts edge 0
}

TEST(SclFrameRgn, RoundRectFollowsItsCorners)
{
    Surface s(30, 20);
    SCLFrameRoundRectRgn(s.Canvas(), {0, 0, 30, 20}, L, S, C, rbRaised, 10, 10);
    EXPECT_EQ(s.At(15, 0), L);
    EXPECT_EQ(s.At(0, 10), L);
    EXPECT_EQ(s.At(15, 19), S);
    EXPECT_EQ(s.At(29, 10), S);
    EXPECT_EQ(s.At(0, 0), clYellow); // the corner is rounded off
}

TEST(SclFrameRgn, NoseBaseIsLeftOpenAndTheClipRestored)
{
    Surface s(100, 80);
    SCLFrameNoseRectRgn(s.Canvas(), {0, 0, 100, 80}, L, S, C, rbSingle, 10, epLeftTop);
    EXPECT_EQ(s.At(10, 50), C);        // the body's left edge
    EXPECT_EQ(s.At(10, 20), clYellow); // open where the nose joins
    EXPECT_EQ(s.At(5, 5), clYellow);   // the nose itself is not outlined
    s.Canvas()->Brush()->SetStyle(bsSolid);
    s.Canvas()->Brush()->SetColor(clWhite);
    s.Canvas()->FillRect({0, 0, 100, 80});
    EXPECT_EQ(s.At(10, 20), clWhite);

    Surface round(100, 80);
    SCLFrameRoundNoseRectRgn(round.Canvas(), {0, 0, 100, 80}, L, S, C, rbSingle, 10, 20, 20, epRightTop);
    EXPECT_EQ(round.At(89, 60), C);
    EXPECT_EQ(round.At(89, 40), clYellow);
}

TEST(SclFrameRgn, BodyOfABubbleShapeDoesNotCrossTheBubbles)
{
    for (auto frame : {SCLFrameThinkBubbleRgn, SCLFrameEllipticThinkBubbleRgn}) {
        Surface s(120, 90);
        frame(s.Canvas(), {0, 0, 120, 90}, L, S, C, rbSingle, 20, 4, epLeftTop);
        // The last bubble sits on the body's corner (20, 20), 10 pixels wide.
        EXPECT_EQ(s.At(22, 20), clYellow);
        bool outlined = false; // its own outline, at its left
        for (int y = 18; y <= 22; ++y)
            for (int x = 14; x <= 16; ++x)
                outlined = outlined || s.At(x, y) == C;
        EXPECT_TRUE(outlined);
    }
    Surface s(120, 90);
    SCLFrameThinkBubbleRgn(s.Canvas(), {0, 0, 120, 90}, L, S, C, rbSingle, 20, 4, epLeftTop);
    EXPECT_EQ(s.At(60, 20), C);
    Surface round(120, 90);
    SCLFrameRoundThinkBubbleRgn(round.Canvas(), {0, 0, 120, 90}, L, S, C, rbSingle, 20, 4, epLeftTop, 8, 8);
    EXPECT_EQ(round.At(60, 20), C);
}

TEST(SclFramePointList, SegmentsTakeTheColourOfTheirDirection)
{
    const std::vector<POINT> points{{1, 4}, {6, 4}, {2, 1}};
    Surface raised(8, 6);
    SCLFramePointList(raised.Canvas(), points, L, S, C, rbRaised);
    EXPECT_EQ(raised.At(1, 4), L); // moving right
    EXPECT_EQ(raised.At(6, 4), S); // left and up: the horizontal test wins
    EXPECT_EQ(raised.At(2, 1), S); // the closing line keeps the last colour

    Surface lowered(8, 6);
    SCLFramePointList(lowered.Canvas(), points, L, S, C, rbSingleLowered);
    EXPECT_EQ(lowered.At(1, 4), S);
    EXPECT_EQ(lowered.At(6, 4), L);

    Surface single(8, 6);
    SCLFramePointList(single.Canvas(), points, L, S, C, rbSingle);
    EXPECT_EQ(single.At(1, 4), C);
    EXPECT_EQ(single.At(6, 4), C);

    Surface none(8, 6);
    SCLFramePointList(none.Canvas(), points, L, S, C, rbNone);
    EXPECT_EQ(none.At(1, 4), L); // the point list knows no rbNone

    Surface lone(8, 6);
    SCLFramePointList(lone.Canvas(), std::vector<POINT>{{3, 3}}, L, S, C, rbRaised);
    EXPECT_EQ(lone.Map(), Surface(8, 6).Map());
}

TEST(SclRegionBorder, DefaultsSettersAndAssign)
{
    TSCLRegionBorder border;
    EXPECT_EQ(border.Style(), rbSingle);
    EXPECT_EQ(border.LightColor(), clBtnHighlight);
    EXPECT_EQ(border.ShadowColor(), clBtnShadow);
    EXPECT_EQ(border.SingleColor(), clBlack);
    int changes = 0;
    border.OnChange = [&](TObject*) { ++changes; };
    border.SetColor(0, clBtnHighlight);
    border.SetBorderStyle(rbSingle);
    EXPECT_EQ(changes, 0);
    border.SetColor(0, clRed);
    border.SetColor(1, clGreen);
    border.SetColor(2, clBlue);
    border.SetColor(3, clAqua);
    border.SetBorderStyle(rbLoweredpsb);
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(border.LightColor(), clRed);
    EXPECT_EQ(border.ShadowColor(), clGreen);
    EXPECT_EQ(border.SingleColor(), clBlue);

    TSCLRegionBorder copy;
    int copy_changes = 0;
    copy.OnChange = [&](TObject*) { ++copy_changes; };
    copy.Assign(&border);
    EXPECT_EQ(copy_changes, 1);
    EXPECT_EQ(copy.Style(), rbLoweredpsb);
    EXPECT_EQ(copy.SingleColor(), clBlue);
    TSCLObject other;
    EXPECT_ANY_THROW(copy.Assign(&other));
}

} // namespace
