// Shape outlines (the fixed point layout per shape type, teeth, shadow and
// square placement, 16-bit clamping) and shape painting checked by pixels.

#include "components/controls/Sclgrapa.h"

#include "components/controls/SCLShadow.h"
#include "components/controls/Sclsimplebevel.h"
#include "components/controls/Sclteeth.h"

#include "tests/support/Pixel_Map.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using Points = std::vector<POINT>;

Points Outline(const TSCLPointList& list)
{
    Points points;
    for (int i = 0; i < list.Count(); ++i)
        points.push_back(list.GetPoint(i));
    return points;
}

std::string Text(const Points& points)
{
    std::string text;
    for (const POINT& p : points)
        text += "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
    return text;
}

Points Calc(const RECT& rect, TSCLShapeType type, int bevel_width, const TSCLShapeShadow* shadow = nullptr,
            bool square = false, int round_percent = 20)
{
    TSCLShapeBevel bevel;
    bevel.Width = bevel_width;
    TSCLPointList list;
    SCLShapeCalc(rect, type, nullptr, square, round_percent, &bevel, shadow, &list);
    return Outline(list);
}

struct Golden {
    TSCLShapeType type;
    Points points;
};

// 100 x 50, pen 3 (leading and trailing half 1), no shadow.
const std::vector<Golden> goldens{
    {stEllipse, {{0, 0}, {100, 50}, {1, 1}, {99, 49}}},
    {stRectangle, {{0, 0}, {100, 50}, {1, 1}, {99, 49}}},
    {stRoundRect, {{0, 0}, {100, 50}, {10, 10}, {1, 1}, {100, 50}, {10, 10}}},
    {stDirectUp, {{50, 0}, {100, 50}, {0, 50}, {50, 1}, {99, 49}, {2, 50}}},
    {stDirectRight, {{0, 0}, {100, 25}, {0, 50}, {1, 1}, {99, 25}, {1, 49}}},
    {stDirectDown, {{0, 0}, {100, 0}, {50, 50}, {1, 1}, {99, 1}, {50, 50}}},
    {stDirectLeft, {{100, 0}, {0, 25}, {100, 50}, {99, 1}, {1, 25}, {99, 49}}},
    {stDiamond, {{50, 0}, {100, 25}, {50, 50}, {0, 25}, {50, 1}, {99, 25}, {50, 49}, {1, 25}}},
    {stComb,
     {{50, 0}, {100, 10}, {100, 40}, {50, 50}, {0, 40}, {0, 10}, {50, 1}, {99, 11}, {99, 41}, {50, 49}, {1, 41},
      {1, 11}}},
    {stOctagon,
     {{29, 0}, {70, 0}, {100, 15}, {100, 36}, {70, 50}, {29, 50}, {0, 36}, {0, 15}, {30, 1}, {71, 1}, {99, 16},
      {99, 37}, {71, 49}, {30, 49}, {1, 37}, {1, 16}}},
    // Y(0.75) = 37.5 rounds to the even 38.
    {stStar,
     {{50, 0}, {65, 19}, {100, 19}, {70, 30}, {85, 50}, {50, 38}, {15, 50}, {30, 30}, {0, 19}, {35, 19},
      {50, 1}, {65, 19}, {99, 19}, {70, 30}, {85, 49}, {50, 38}, {15, 49}, {30, 30}, {1, 19}, {35, 19}}},
};

TEST(SclShapeCalc, EveryShapeTypeHasItsFixedLayout)
{
    for (const Golden& golden : goldens)
        EXPECT_EQ(Text(Calc({0, 0, 100, 50}, golden.type, 3)), Text(golden.points))
            << TSCLEnumInfo<TSCLShapeType>::Names[golden.type];
}

TEST(SclShapeCalc, OctagonOfOneHundredSquare)
{
    const Points points = Calc({0, 0, 100, 100}, stOctagon, 1);
    ASSERT_EQ(points.size(), 16u);
    EXPECT_EQ(Text(Points(points.begin(), points.begin() + 8)),
              Text({{29, 0}, {70, 0}, {100, 29}, {100, 70}, {70, 100}, {29, 100}, {0, 70}, {0, 29}}));
}

TEST(SclShapeCalc, CombStepRoundsToNearest)
{
    const Points points = Calc({0, 0, 60, 52}, stComb, 1);
    EXPECT_EQ(points[1].y, 10);
    EXPECT_EQ(points[2].y, 40);
}

TEST(SclShapeCalc, ShadowMovesTheOutlineByItsDepth)
{
    const TSCLShapeShadow solid{hssSolid, 5, clBlack};
    EXPECT_EQ(Text(Calc({0, 0, 100, 50}, stRectangle, 3, &solid)), Text({{5, 5}, {100, 50}, {6, 6}, {99, 49}}));
    const TSCLShapeShadow none{hssNone, 5, clBlack};
    EXPECT_EQ(Text(Calc({0, 0, 100, 50}, stRectangle, 3, &none)), Text({{0, 0}, {100, 50}, {1, 1}, {99, 49}}));
}

TEST(SclShapeCalc, RoundRectKeepsTheCornerSizeAsPoints)
{
    // c = min(95, 45) * 20 div 100 = 9; the inner corner is c + d.
    const TSCLShapeShadow solid{hssSolid, 5, clBlack};
    const Points points = Calc({0, 0, 100, 50}, stRoundRect, 1, &solid);
    EXPECT_EQ(Text(points), Text({{5, 5}, {100, 50}, {9, 9}, {5, 5}, {100, 50}, {14, 14}}));
}

TEST(SclShapeCalc, SquareCentresTheFigure)
{
    EXPECT_EQ(Text(Calc({0, 0, 100, 60}, stRectangle, 1, nullptr, true)), Text({{20, 0}, {80, 60}, {20, 0}, {80, 60}}));
    EXPECT_EQ(Text(Calc({0, 0, 60, 100}, stRectangle, 1, nullptr, true)), Text({{0, 20}, {60, 80}, {0, 20}, {60, 80}}));
}

TEST(SclShapeCalc, OutlineIsLocalToTheRectangle)
{
    EXPECT_EQ(Text(Calc({30, 40, 130, 90}, stRectangle, 3)), Text(Calc({0, 0, 100, 50}, stRectangle, 3)));
}

TEST(SclShapeCalc, CoordinatesBeyondSixteenBitsAreClamped)
{
    const Points points = Calc({0, 0, 40000, 50}, stRectangle, 1);
    EXPECT_EQ(points[1].x, 32767);
    EXPECT_EQ(points[3].x, 32767);
}

TEST(SclShapeCalc, ListIsClearedAndNotifiedOnce)
{
    TSCLPointList list;
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    TSCLShapeBevel bevel;
    SCLShapeCalc({0, 0, 10, 10}, stStar, nullptr, false, 0, &bevel, nullptr, &list);
    SCLShapeCalc({0, 0, 10, 10}, stRectangle, nullptr, false, 0, &bevel, nullptr, &list);
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(changes, 2);
}

// ---- Teeth ---------------------------------------------------------------

TEST(SclShapeCalcTeeth, PerCountSetsTheToothWidthAndSerratesTheBottom)
{
    TSCLShapeTeeth teeth;
    teeth.Direction = tdDown;
    teeth.Count = 10;
    teeth.Height = 4;
    TSCLPointList list;
    SCLShapeCalc({0, 0, 100, 40}, stStar, &teeth, false, 0, nullptr, nullptr, &list);
    EXPECT_EQ(teeth.Width, 5);
    const Points points = Outline(list);
    ASSERT_EQ(points.size(), 4u + 21u + 1u);
    EXPECT_EQ(Text(Points(points.begin(), points.begin() + 4)), Text({{99, 40}, {99, 0}, {0, 0}, {0, 40}}));
    for (int i = 0; i <= 20; ++i)
        EXPECT_EQ(Text({points[4 + i]}), Text({{5 * i, 40 - 4 * (i % 2)}})) << i;
    EXPECT_EQ(Text({points.back()}), Text({{100, 40}}));
}

struct Teeth_Case {
    TSCLDirection direction;
    bool offset;
    Points expected;
};

TEST(SclShapeCalcTeeth, EachDirectionSerratesItsSide)
{
    // 20 x 10, two teeth (four steps): the step along the side is written
    // back (Height round(2.5) = 2, Width 5); the depth across it is Width 2
    // or Height 3.
    const std::vector<Teeth_Case> cases{
        {tdRight, true, {{19, 9}, {0, 9}, {0, 0}, {19, 0}, {19, 0}, {17, 2}, {19, 4}, {17, 6}, {19, 8}, {19, 10}}},
        {tdRight, false, {{17, 9}, {0, 9}, {0, 0}, {17, 0}, {17, 0}, {19, 2}, {17, 4}, {19, 6}, {17, 8}, {17, 10}}},
        {tdLeft, true, {{0, 9}, {19, 9}, {19, 0}, {0, 0}, {0, 0}, {2, 2}, {0, 4}, {2, 6}, {0, 8}, {0, 10}}},
        {tdDown, true, {{19, 10}, {19, 0}, {0, 0}, {0, 10}, {0, 10}, {5, 7}, {10, 10}, {15, 7}, {20, 10}, {20, 10}}},
        {tdUp, false, {{19, 3}, {19, 9}, {0, 9}, {0, 3}, {0, 3}, {5, 0}, {10, 3}, {15, 0}, {20, 3}, {20, 3}}},
    };
    for (const Teeth_Case& c : cases) {
        TSCLShapeTeeth teeth;
        teeth.Direction = c.direction;
        teeth.Offset = c.offset;
        teeth.Count = 2;
        teeth.Width = 2;
        teeth.Height = 3;
        TSCLPointList list;
        SCLShapeCalc({0, 0, 20, 10}, stRectangle, &teeth, false, 0, nullptr, nullptr, &list);
        EXPECT_EQ(Text(Outline(list)), Text(c.expected)) << c.direction << " " << c.offset;
    }
}

TEST(SclShapeCalcTeeth, ZeroSizeOrCountGivesAStraightSide)
{
    struct Case {
        bool per_count;
        int count;
        int width;
        int height;
        TSCLDirection direction;
    };
    for (const Case& c : std::vector<Case>{{true, 0, 7, 0, tdDown}, {false, 5, 0, 0, tdDown}, {false, 5, 3, 0, tdRight}}) {
        TSCLShapeTeeth teeth;
        teeth.SetPerCount = c.per_count;
        teeth.Count = c.count;
        teeth.Width = c.width;
        teeth.Height = c.height;
        teeth.Direction = c.direction;
        TSCLPointList list;
        SCLShapeCalc({0, 0, 20, 10}, stRectangle, &teeth, false, 0, nullptr, nullptr, &list);
        EXPECT_EQ(list.Count(), 6);
        EXPECT_EQ(teeth.Width, c.width);
    }
}

// ---- Drawing -------------------------------------------------------------

const std::map<char, TColor> colors{{'.', clWhite}, {'#', clBlack}, {'r', clRed}, {'b', clBlue},
                                    {'g', clLime},  {'d', clGray},  {'y', clYellow}};

struct Surface {
    TBitmap bitmap;

    Surface(int w, int h, TColor background = clWhite)
    {
        bitmap.SetSize(w, h);
        bitmap.Canvas()->Brush()->SetColor(background);
        bitmap.Canvas()->FillRect({0, 0, w, h});
    }
    TCanvas* Canvas() { return bitmap.Canvas(); }
    std::string Map()
    {
        return Pixel_Map(bitmap.Width(), bitmap.Height(), [&](int x, int y) {
            const TColor c = bitmap.Canvas()->Pixels(x, y);
            for (const auto& [ch, color] : colors)
                if (color == c)
                    return ch;
            return '?';
        });
    }
};

struct Brush : TBrush {
    explicit Brush(TColor color, TBrushStyle style = bsSolid)
    {
        SetColor(color);
        SetStyle(style);
    }
};

TSCLShapeBevel Bevel(int width, TSCLShapeBevelKind kind)
{
    TSCLShapeBevel bevel;
    bevel.Width = width;
    bevel.Kind = kind;
    bevel.Color = clBlack;
    bevel.LightColor = clWhite;
    bevel.ShadowColor = clGray;
    return bevel;
}

void Draw(Surface& s, TSCLShapeType type, const TSCLShapeBevel& bevel, TBrush* brush,
          const TSCLShapeShadow* shadow = nullptr, TBitmap* bitmap = nullptr, TSCLPointList* list = nullptr)
{
    SCLShapeDraw({0, 0, s.bitmap.Width(), s.bitmap.Height()}, s.Canvas(), type, nullptr, list, false, brush, 20,
                 bevel, shadow, bitmap, clWhite, clLime);
}

TEST(SclShapeDraw, NormalRectangleHasAnOutlineInTheBevelColour)
{
    Surface s(6, 5);
    Brush red(clRed);
    Draw(s, stRectangle, Bevel(1, TSCLShapeBevelKind::Normal), &red);
    EXPECT_EQ(s.Map(), Picture({"######", "#rrrr#", "#rrrr#", "#rrrr#", "######"}));
}

TEST(SclShapeDraw, WidthZeroDrawsTheBodyWithoutOutline)
{
    Surface s(6, 5);
    Brush red(clRed);
    Draw(s, stRectangle, Bevel(0, TSCLShapeBevelKind::Offset), &red);
    EXPECT_EQ(s.Map(), Picture({"rrrrr.", "rrrrr.", "rrrrr.", "rrrrr.", "......"}));
}

TEST(SclShapeDraw, OffsetBevelIsLightAtTopLeftAndShadowAtBottomRight)
{
    Surface s(6, 5);
    Brush red(clRed);
    Draw(s, stRectangle, Bevel(1, TSCLShapeBevelKind::Offset), &red);
    EXPECT_EQ(s.Map(), Picture({".....d", ".rrrrd", ".rrrrd", ".rrrrd", ".ddddd"}));
    Surface inset(6, 5, clYellow);
    Draw(inset, stRectangle, Bevel(1, TSCLShapeBevelKind::Inset), &red);
    EXPECT_EQ(inset.Map(), Picture({"ddddd.", "drrrr.", "drrrr.", "drrrr.", "d....."}));
}

TEST(SclShapeDraw, SolidShadowLiesBehindTheShiftedBody)
{
    Surface s(8, 6);
    Brush red(clRed);
    const TSCLShapeShadow shadow{hssSolid, 2, clBlue};
    Draw(s, stRectangle, Bevel(1, TSCLShapeBevelKind::Normal), &red, &shadow);
    EXPECT_EQ(s.Map(), Picture({"######..", "#rrrr#..", "#rrrr#b.", "######b.", "..bbbbb.", "........"}));
}

TEST(SclShapeDraw, HatchedBrushShowsTheBrushBackColourBetweenItsLines)
{
    Surface s(12, 12);
    Brush cross(clRed, bsCross);
    Draw(s, stRectangle, Bevel(0, TSCLShapeBevelKind::Normal), &cross);
    int red = 0;
    int lime = 0;
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 11; ++x) {
            const TColor c = s.Canvas()->Pixels(x, y);
            red += c == clRed;
            lime += c == clLime;
        }
    EXPECT_GT(red, 0);
    EXPECT_GT(lime, 0);
    EXPECT_EQ(red + lime, 11 * 11);
}

TEST(SclShapeDraw, BitmapShowsInsideTheShapeOnly)
{
    Surface s(20, 20, clYellow);
    TBitmap fill;
    fill.SetSize(20, 20);
    fill.Canvas()->Brush()->SetColor(clBlue);
    fill.Canvas()->FillRect({0, 0, 20, 20});
    SCLShapeDraw({0, 0, 20, 20}, s.Canvas(), stOctagon, nullptr, nullptr, false, nullptr, 0,
                 Bevel(1, TSCLShapeBevelKind::Offset), nullptr, &fill, clYellow, clLime);
    EXPECT_EQ(s.Canvas()->Pixels(10, 10), clBlue);
    EXPECT_EQ(s.Canvas()->Pixels(0, 0), clYellow);
    EXPECT_EQ(s.Canvas()->Pixels(19, 0), clYellow);
    EXPECT_EQ(s.Canvas()->Pixels(10, 0), clWhite); // the light bevel along the top
    EXPECT_EQ(s.Canvas()->Pixels(19, 10), clGray); // the shadow bevel along the right
}

TEST(SclShapeDraw, GivenListIsLeftUntouched)
{
    TSCLPointList list;
    const TSCLShapeShadow shadow{hssSolid, 3, clBlue};
    const TSCLShapeBevel bevel = Bevel(2, TSCLShapeBevelKind::Offset);
    SCLShapeCalc({0, 0, 30, 20}, stRoundRect, nullptr, false, 20, &bevel, &shadow, &list);
    const std::string before = Text(Outline(list));
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    Surface s(30, 20);
    Brush red(clRed);
    Draw(s, stRoundRect, bevel, &red, &shadow, nullptr, &list);
    EXPECT_EQ(Text(Outline(list)), before);
    EXPECT_EQ(changes, 0);
}

TEST(SclShapeDraw, EveryShapeDrawsFromItsOwnOutline)
{
    Brush red(clRed);
    for (const Golden& golden : goldens) {
        Surface s(40, 40);
        Draw(s, golden.type, Bevel(2, TSCLShapeBevelKind::Inset), &red);
        EXPECT_EQ(s.Canvas()->Pixels(20, 22), clRed) << TSCLEnumInfo<TSCLShapeType>::Names[golden.type];
    }
}

TEST(SclShapeDraw, TeethWithABevelStyleDrawOnlyTheSerratedBody)
{
    // Six outline points only: a bevel addressing a star's ten would read past them.
    TSCLShapeTeeth teeth;
    teeth.Count = 0;
    Surface s(10, 8);
    Brush red(clRed);
    SCLShapeDraw({0, 0, 10, 8}, s.Canvas(), stStar, &teeth, nullptr, false, &red, 0,
                 Bevel(1, TSCLShapeBevelKind::Offset), nullptr, nullptr, clWhite, clLime);
    EXPECT_EQ(s.Canvas()->Pixels(5, 4), clRed);
    EXPECT_NE(s.Canvas()->Pixels(0, 0), clWhite);
}

TEST(SclShapeDraw, ElsewhereThanTheOriginTheFigureMovesWithTheRectangle)
{
    Surface s(10, 9);
    Brush red(clRed);
    SCLShapeDraw({4, 4, 10, 9}, s.Canvas(), stRectangle, nullptr, nullptr, false, &red, 0,
                 Bevel(1, TSCLShapeBevelKind::Normal), nullptr, nullptr, clWhite, clLime);
    EXPECT_EQ(s.Map(), Picture({"..........", "..........", "..........", "..........", "....######", "....#rrrr#",
                                "....#rrrr#", "....#rrrr#", "....######"}));
}

// ---- Over the settings objects ------------------------------------------------

TEST(SclShapeObjects, TeethSizeIsWrittenBackSilently)
{
    TSCLTeeth teeth;
    teeth.SetDirection(tdDown);
    teeth.SetCount(10);
    int changes = 0;
    teeth.OnChange = [&](TObject*) { ++changes; };
    TSCLPointList list;
    SCLShapeCalc({0, 0, 100, 40}, stRectangle, &teeth, false, nullptr, 0, nullptr, nullptr, &list);
    EXPECT_EQ(teeth.Width(), 5);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(list.Count(), 4 + 21 + 1);
}

TEST(SclShapeObjects, ObjectsDrawAsTheirValues)
{
    TSCLSimpleBevel bevel;
    bevel.SetWidth(1);
    bevel.SetStyle(sbOffset);
    bevel.SetColor(0, clWhite);
    bevel.SetColor(1, clGray);
    TSCLShadow shadow;
    shadow.SetStyle(hssSolid);
    shadow.SetDepth(2);
    shadow.SetColor(clBlue);
    Brush red(clRed);
    Surface objects(10, 8);
    TSCLPointList list;
    SCLShapeCalc({0, 0, 10, 8}, stRectangle, nullptr, false, &red, 0, &bevel, &shadow, &list);
    SCLShapeDraw({0, 0, 10, 8}, objects.Canvas(), stRectangle, nullptr, &list, false, &red, 0, &bevel, &shadow,
                 nullptr, clWhite, clLime);
    Surface values(10, 8);
    const TSCLShapeShadow shadow_values{hssSolid, 2, clBlue};
    Draw(values, stRectangle, Bevel(1, TSCLShapeBevelKind::Offset), &red, &shadow_values);
    EXPECT_EQ(objects.Map(), values.Map());
    EXPECT_EQ(objects.Canvas()->Pixels(8, 6), clBlue);

    Surface untouched(10, 8);
    SCLShapeDraw({0, 0, 10, 8}, untouched.Canvas(), stRectangle, nullptr, nullptr, false, &red, 0, nullptr, nullptr,
                 nullptr, clWhite, clLime);
    EXPECT_EQ(untouched.Map(), Surface(10, 8).Map());
}

TEST(SclOffsetPoints, ListAndArrayMove)
{
    TSCLPointList list;
    list.AddPoint({1, 2});
    list.AddPoint({32760, -32760});
    SCLOffsetPointList(&list, 10, -10);
    EXPECT_EQ(Text(Outline(list)), Text({{11, -8}, {32767, -32768}}));
    SCLOffsetPointList(nullptr, 1, 1);
    std::vector<POINT> array{{0, 0}, {1, 1}, {2, 2}};
    SCLOffsetPointArray(array, 2, 5, 6);
    EXPECT_EQ(Text(array), Text({{5, 6}, {6, 7}, {2, 2}}));
    SCLOffsetPointArray(array, 99, 1, 1);
    EXPECT_EQ(Text(array), Text({{6, 7}, {7, 8}, {3, 3}}));
}

TEST(SclGetLightColors, EachChoiceGivesItsPair)
{
    const std::vector<std::pair<TColor, TColor>> expected{{clBtnFace, clBtnFace}, {0xFF0000, 0x800000},
                                                          {0x0000FF, 0x000080},   {0x00FF00, 0x008000},
                                                          {0x00FFFF, 0x008080},   {0xFFFF00, 0x808000},
                                                          {0xFF00FF, 0x800080}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        TColor light = 1;
        TColor dark = 2;
        SCLGetLightColors(static_cast<TSCLLightColor>(i), light, dark);
        EXPECT_EQ(light, expected[i].first) << i;
        EXPECT_EQ(dark, expected[i].second) << i;
    }
    TColor light = 1;
    TColor dark = 2;
    SCLGetLightColors(static_cast<TSCLLightColor>(7), light, dark);
    EXPECT_EQ(light, 1u);
    EXPECT_EQ(dark, 2u);
}

} // namespace
