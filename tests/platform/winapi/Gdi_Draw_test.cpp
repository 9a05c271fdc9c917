#include "platform/winapi/Gdi.h"
#include "tests/platform/winapi/Gdi_Test_Surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

const std::map<COLORREF, char> red_legend{{0xFFFFFF, '.'}, {0x000000, '#'}, {0x0000FF, 'r'}};

// The map read right to left, and bottom to top.
std::string Mirrored(const Gdi_Test_Surface& surface)
{
    const int w = surface.image.width();
    return Pixel_Map(w, surface.image.height(), [&](int x, int y) { return surface.At(w - 1 - x, y) == 0xFFFFFFu ? '.' : '#'; });
}
std::string Flipped(const Gdi_Test_Surface& surface)
{
    const int h = surface.image.height();
    return Pixel_Map(surface.image.width(), h, [&](int x, int y) { return surface.At(x, h - 1 - y) == 0xFFFFFFu ? '.' : '#'; });
}
std::string Painted(const Gdi_Test_Surface& surface)
{
    return Pixel_Map(surface.image.width(), surface.image.height(), [&](int x, int y) { return surface.At(x, y) == 0xFFFFFFu ? '.' : '#'; });
}
std::string Region_Pixels(HRGN region, int width, int height)
{
    return Pixel_Map(width, height, [&](int x, int y) { return PtInRegion(region, x, y) ? '#' : '.'; });
}

int Count_Black(const Gdi_Test_Surface& surface)
{
    const std::string map = surface.Map();
    return static_cast<int>(std::count(map.begin(), map.end(), '#'));
}

} // namespace

TEST(Gdi_Lines, DrawTheStartPixelAndNotTheEndInEveryOctant)
{
    const POINT ends[] = {{8, 4}, {8, 6}, {8, 8}, {6, 8}, {4, 8}, {2, 8}, {0, 8}, {0, 6},
                          {0, 4}, {0, 2}, {0, 0}, {2, 0}, {4, 0}, {6, 0}, {8, 0}, {8, 1}};
    for (const POINT& end : ends) {
        Gdi_Test_Surface surface(9, 9);
        MoveToEx(surface.dc, 4, 4, nullptr);
        ASSERT_TRUE(LineTo(surface.dc, end.x, end.y));
        SCOPED_TRACE(testing::Message() << "to " << end.x << "," << end.y << "\n" << surface.Map());
        EXPECT_EQ(surface.At(4, 4), 0x000000u);
        EXPECT_EQ(surface.At(end.x, end.y), 0xFFFFFFu);
        EXPECT_EQ(Count_Black(surface), std::max(std::abs(end.x - 4), std::abs(end.y - 4)));
        POINT position;
        GetCurrentPositionEx(surface.dc, &position);
        EXPECT_EQ(position, end);
    }
}

TEST(Gdi_Lines, StepAtTheNearestRowAndStayOnExactHalves)
{
    Gdi_Test_Surface surface(5, 3);
    MoveToEx(surface.dc, 0, 0, nullptr);
    LineTo(surface.dc, 4, 2);
    EXPECT_EQ(surface.Map(), Picture({"##...", "..##.", "....."}));
}

TEST(Gdi_Lines, PolylineJoinsSegmentsWithoutMovingThePosition)
{
    Gdi_Test_Surface surface(4, 4);
    const POINT points[] = {{0, 0}, {3, 0}, {3, 3}};
    MoveToEx(surface.dc, 1, 1, nullptr);
    ASSERT_TRUE(Polyline(surface.dc, points, 3));
    EXPECT_EQ(surface.Map(), Picture({"####", "...#", "...#", "...."}));
    POINT position;
    GetCurrentPositionEx(surface.dc, &position);
    EXPECT_EQ(position, (POINT{1, 1}));
}

TEST(Gdi_Lines, DashedPenLeavesGapsThatOpaqueModeFillsWithTheBackground)
{
    Gdi_Test_Surface surface(8, 2);
    HPEN dotted = CreatePen(PS_DOT, 1, 0x000000);
    {
        Selected pen(surface.dc, dotted);
        SetBkMode(surface.dc, TRANSPARENT);
        MoveToEx(surface.dc, 0, 0, nullptr);
        LineTo(surface.dc, 8, 0);
        SetBkMode(surface.dc, OPAQUE);
        SetBkColor(surface.dc, 0x0000FF);
        MoveToEx(surface.dc, 0, 1, nullptr);
        LineTo(surface.dc, 8, 1);
    }
    DeleteObject(dotted);
    EXPECT_EQ(surface.Map(red_legend), Picture({"###...##", "###rrr##"}));
}

TEST(Gdi_Lines, PenMixesApplyToLines)
{
    Gdi_Test_Surface surface(4, 1);
    SetPixel(surface.dc, 1, 0, 0x000000);
    SetROP2(surface.dc, R2_NOT);
    MoveToEx(surface.dc, 0, 0, nullptr);
    LineTo(surface.dc, 3, 0);
    EXPECT_EQ(surface.Map(), "#.#.");
    MoveToEx(surface.dc, 0, 0, nullptr);
    LineTo(surface.dc, 3, 0);
    EXPECT_EQ(surface.Map(), ".#..");
}

TEST(Gdi_Rectangle, OutlinesWithThePenAndFillsInside)
{
    Gdi_Test_Surface surface(6, 5);
    HBRUSH red = CreateSolidBrush(0x0000FF);
    {
        Selected brush(surface.dc, red);
        ASSERT_TRUE(Rectangle(surface.dc, 1, 1, 5, 4));
    }
    EXPECT_EQ(surface.Map(red_legend), Picture({"......", ".####.", ".#rr#.", ".####.", "......"}));
    DeleteObject(red);
}

TEST(Gdi_Rectangle, WithoutAPenFillsOnePixelLessRightAndBottom)
{
    Gdi_Test_Surface surface(6, 5);
    HBRUSH red = CreateSolidBrush(0x0000FF);
    {
        Selected brush(surface.dc, red);
        Selected pen(surface.dc, GetStockObject(NULL_PEN));
        Rectangle(surface.dc, 1, 1, 5, 4);
    }
    EXPECT_EQ(surface.Map(red_legend), Picture({"......", ".rrr..", ".rrr..", "......", "......"}));
    DeleteObject(red);
}

TEST(Gdi_Rectangle, WidePenStaysCentredOnTheOutline)
{
    // A pen of width 3 on Rectangle(1, 1, 6, 6) covers one pixel either side of the one-pixel outline (columns 1 to 5).
    Gdi_Test_Surface surface(7, 7);
    HPEN wide = CreatePen(PS_SOLID, 3, 0x000000);
    {
        Selected pen(surface.dc, wide);
        Selected brush(surface.dc, GetStockObject(NULL_BRUSH));
        Rectangle(surface.dc, 1, 1, 6, 6);
    }
    EXPECT_EQ(surface.Map(), Picture({"#######", "#######", "#######", "###.###", "#######", "#######", "#######"}));
    DeleteObject(wide);
}

TEST(Gdi_Rectangle, ThinOutlineMixesEachPixelOnce)
{
    Gdi_Test_Surface surface(2, 3);
    SetROP2(surface.dc, R2_NOT);
    Selected brush(surface.dc, GetStockObject(NULL_BRUSH));
    Rectangle(surface.dc, 0, 0, 1, 3);
    EXPECT_EQ(surface.Map(), Picture({"#.", "#.", "#."}));
}

TEST(Gdi_Polygon, FillsByTheTopLeftRuleAndOutlinesEveryVertex)
{
    const POINT triangle[] = {{0, 0}, {4, 0}, {0, 4}};
    Gdi_Test_Surface filled(5, 5);
    {
        Selected pen(filled.dc, GetStockObject(NULL_PEN));
        Selected brush(filled.dc, GetStockObject(BLACK_BRUSH));
        ASSERT_TRUE(Polygon(filled.dc, triangle, 3));
    }
    EXPECT_EQ(filled.Map(), Picture({"####.", "###..", "##...", "#....", "....."}));

    Gdi_Test_Surface outlined(5, 5);
    HBRUSH red = CreateSolidBrush(0x0000FF);
    {
        Selected brush(outlined.dc, red);
        Polygon(outlined.dc, triangle, 3);
    }
    EXPECT_EQ(outlined.Map(red_legend), Picture({"#####", "#rr#.", "#r#..", "##...", "#...."}));
    DeleteObject(red);
}

TEST(Gdi_Polygon, AlternateLeavesTheDoublyWoundHoleAndWindingFillsIt)
{
    // An outer and an inner square in the same direction, joined by a bridge there and back.
    const POINT figure[] = {{0, 0}, {6, 0}, {6, 6}, {0, 6}, {0, 0}, {2, 2}, {4, 2}, {4, 4}, {2, 4}, {2, 2}};
    struct Case {
        int mode;
        std::string picture;
    };
    const Case cases[] = {
        {ALTERNATE, Picture({"######", "######", "##..##", "##..##", "######", "######"})},
        {WINDING, Picture({"######", "######", "######", "######", "######", "######"})},
    };
    for (const Case& c : cases) {
        Gdi_Test_Surface surface(6, 6);
        SetPolyFillMode(surface.dc, c.mode);
        Selected pen(surface.dc, GetStockObject(NULL_PEN));
        Selected brush(surface.dc, GetStockObject(BLACK_BRUSH));
        Polygon(surface.dc, figure, 10);
        EXPECT_EQ(surface.Map(), c.picture) << "mode " << c.mode;
    }
}

TEST(Gdi_Polygon, PenAndFillMixEachPixelOnceWithinTheClip)
{
    // Inverting: a pixel mixed twice would come back white. A self-crossing
    // outline passes its crossing pixel twice, and the pen mixes it twice.
    const POINT triangle[] = {{0, 0}, {4, 0}, {0, 4}};
    Gdi_Test_Surface surface(6, 6);
    SetROP2(surface.dc, R2_NOT);
    ExcludeClipRect(surface.dc, 1, 1, 2, 2);
    Selected brush(surface.dc, GetStockObject(BLACK_BRUSH));
    Polygon(surface.dc, triangle, 3);
    EXPECT_EQ(surface.Map(), Picture({"#####.", "#.##..", "###...", "##....", "#.....", "......"}));

    const POINT bow[] = {{0, 0}, {4, 4}, {4, 0}, {0, 4}};
    Gdi_Test_Surface crossing(5, 5);
    SetROP2(crossing.dc, R2_NOT);
    Selected no_brush(crossing.dc, GetStockObject(NULL_BRUSH));
    Polygon(crossing.dc, bow, 4);
    EXPECT_EQ(crossing.Map(), Picture({"#...#", "##.##", "#...#", "##.##", "#...#"}));
}

TEST(Gdi_Polygon, DashedOutlineGapsShowTheFillOrTheBackground)
{
    const POINT box[] = {{0, 0}, {9, 0}, {9, 2}, {0, 2}};
    HPEN dotted = CreatePen(PS_DOT, 1, 0x000000);
    HBRUSH red = CreateSolidBrush(0x0000FF);
    struct Case {
        int mode;
        std::string picture;
    };
    const Case cases[] = {
        {TRANSPARENT, Picture({"###...###.", ".rrrrrrrr.", "###...###."})},
        {OPAQUE, Picture({"###ggg###g", "grrrrrrrrg", "###ggg###g"})},
    };
    std::map<COLORREF, char> legend = red_legend;
    legend[0x00FF00] = 'g';
    for (const Case& c : cases) {
        Gdi_Test_Surface surface(10, 3);
        SetBkMode(surface.dc, c.mode);
        SetBkColor(surface.dc, 0x00FF00);
        Selected pen(surface.dc, dotted);
        Selected brush(surface.dc, red);
        Polygon(surface.dc, box, 4);
        EXPECT_EQ(surface.Map(legend), c.picture) << "mode " << c.mode;
    }
    DeleteObject(dotted);
    DeleteObject(red);
}

TEST(Gdi_Figures, EllipseStaysInsideItsBoxAndTouchesEachSide)
{
    Gdi_Test_Surface surface(9, 9);
    Ellipse(surface.dc, 1, 1, 8, 6);
    const std::string map = surface.Map();
    for (int x = 0; x < 9; ++x) {
        for (int y = 0; y < 9; ++y) {
            if (x < 1 || x > 7 || y < 1 || y > 5) {
                EXPECT_EQ(surface.At(x, y), 0xFFFFFFu) << map;
            }
        }
    }
    EXPECT_EQ(surface.At(4, 1), 0u) << map;
    EXPECT_EQ(surface.At(4, 5), 0u) << map;
    EXPECT_EQ(surface.At(1, 3), 0u) << map;
    EXPECT_EQ(surface.At(7, 3), 0u) << map;
    EXPECT_EQ(surface.At(4, 3), 0xFFFFFFu) << map;
}

TEST(Gdi_Figures, EllipsesAndRoundRectsAreSymmetricAndStayInTheirBox)
{
    struct Case {
        int width;
        int height;
        int corner; // 0: an ellipse
    };
    const Case cases[] = {{9, 7, 0}, {2, 2, 0}, {1, 5, 0}, {12, 3, 0}, {10, 10, 0}, {11, 8, 5}, {9, 9, 4}, {6, 6, 20}};
    for (const Case& c : cases) {
        for (const bool pen : {true, false}) {
            // Without a pen the fill ends one pixel short on the right and bottom.
            const int drawn_width = pen ? c.width : c.width - 1;
            const int drawn_height = pen ? c.height : c.height - 1;
            Gdi_Test_Surface surface(drawn_width + 2, drawn_height + 2);
            Selected brush(surface.dc, GetStockObject(BLACK_BRUSH));
            Selected null_pen(surface.dc, GetStockObject(pen ? BLACK_PEN : NULL_PEN));
            SetViewportOrgEx(surface.dc, 1, 1, nullptr);
            if (c.corner == 0)
                Ellipse(surface.dc, 0, 0, c.width, c.height);
            else
                RoundRect(surface.dc, 0, 0, c.width, c.height, c.corner, c.corner);
            const std::string map = Painted(surface);
            SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " corner " << c.corner << " pen " << pen << "\n" << map);
            EXPECT_EQ(map, Mirrored(surface));
            EXPECT_EQ(map, Flipped(surface));
            // Nothing in the one-pixel frame around the drawn box; each of its sides touched.
            for (int x = 0; x < drawn_width + 2; ++x) {
                EXPECT_EQ(surface.At(x, 0), 0xFFFFFFu);
                EXPECT_EQ(surface.At(x, drawn_height + 1), 0xFFFFFFu);
            }
            for (int y = 0; y < drawn_height + 2; ++y) {
                EXPECT_EQ(surface.At(0, y), 0xFFFFFFu);
                EXPECT_EQ(surface.At(drawn_width + 1, y), 0xFFFFFFu);
            }
            if (drawn_width > 0 && drawn_height > 0) {
                EXPECT_NE(map.substr(static_cast<std::size_t>(drawn_width + 4), static_cast<std::size_t>(drawn_width)).find('#'), std::string::npos);
                EXPECT_EQ(surface.At(1, 1 + drawn_height / 2), 0u);
            }
        }
    }
}

TEST(Gdi_Figures, SmallEllipsesKeepToTheirPixels)
{
    Gdi_Test_Surface two(3, 3);
    Ellipse(two.dc, 0, 0, 2, 2);
    EXPECT_EQ(two.Map(), Picture({"##.", "##.", "..."}));
    Gdi_Test_Surface five(6, 6);
    HBRUSH red = CreateSolidBrush(0x0000FF);
    {
        Selected brush(five.dc, red);
        Ellipse(five.dc, 0, 0, 5, 5);
    }
    DeleteObject(red);
    EXPECT_EQ(five.Map(red_legend), Picture({".###..", "#rrr#.", "#rrr#.", "#rrr#.", ".###..", "......"}));
}

TEST(Gdi_Figures, DrawnShapesCoverTheirRegionsExactly)
{
    // The shape controls hit-test with the regions: the drawing must cover exactly the region's pixels.
    struct Case {
        RECT box;
        int corner; // 0: an ellipse
    };
    const Case cases[] = {{{0, 0, 9, 7}, 0}, {{1, 2, 14, 9}, 0}, {{0, 0, 3, 12}, 0}, {{2, 1, 13, 11}, 6}, {{0, 0, 12, 8}, 3}};
    for (const Case& c : cases) {
        Gdi_Test_Surface surface(16, 13);
        Selected brush(surface.dc, GetStockObject(BLACK_BRUSH));
        const RECT& b = c.box;
        HRGN region = c.corner == 0 ? CreateEllipticRgn(b.left, b.top, b.right, b.bottom)
                                    : CreateRoundRectRgn(b.left, b.top, b.right, b.bottom, c.corner, c.corner);
        if (c.corner == 0)
            Ellipse(surface.dc, b.left, b.top, b.right, b.bottom);
        else
            RoundRect(surface.dc, b.left, b.top, b.right, b.bottom, c.corner, c.corner);
        EXPECT_EQ(Painted(surface), Region_Pixels(region, 16, 13)) << "corner " << c.corner;
        DeleteObject(region);
    }
}

TEST(Gdi_Figures, ArcsFollowTheEllipseOutlineInsideTheBox)
{
    // A whole arc (equal end points) is the ellipse's outline.
    Gdi_Test_Surface arc(10, 8);
    Arc(arc.dc, 0, 0, 9, 7, 9, 3, 9, 3);
    Gdi_Test_Surface ellipse(10, 8);
    {
        Selected brush(ellipse.dc, GetStockObject(NULL_BRUSH));
        Ellipse(ellipse.dc, 0, 0, 9, 7);
    }
    EXPECT_EQ(arc.Map(), ellipse.Map());
    // The upper half, counter-clockwise from 3 to 9 o'clock, as a chord: symmetric, the lower rows untouched.
    Gdi_Test_Surface chord(9, 9);
    {
        Selected brush(chord.dc, GetStockObject(BLACK_BRUSH));
        Chord(chord.dc, 0, 0, 9, 9, 9, 4, 0, 4);
    }
    const std::string map = chord.Map();
    EXPECT_EQ(map, Mirrored(chord));
    EXPECT_EQ(map.substr(10 * 5), Picture({".........", ".........", ".........", "........."})) << map;
    EXPECT_EQ(chord.At(4, 0), 0u) << map;
    EXPECT_EQ(chord.At(0, 4), 0u) << map;
    EXPECT_EQ(chord.At(8, 4), 0u) << map;
}

TEST(Gdi_Figures, InsideFramePensStayInsideTheBox)
{
    HPEN inside = CreatePen(PS_INSIDEFRAME, 3, 0x000000);
    Gdi_Test_Surface rectangle(9, 9);
    {
        Selected pen(rectangle.dc, inside);
        Selected brush(rectangle.dc, GetStockObject(NULL_BRUSH));
        Rectangle(rectangle.dc, 1, 1, 8, 8);
    }
    EXPECT_EQ(rectangle.Map(), Picture({".........", ".#######.", ".#######.", ".#######.", ".###.###.", ".#######.", ".#######.",
                                        ".#######.", "........."}));
    Gdi_Test_Surface ellipse(12, 10);
    HBRUSH red = CreateSolidBrush(0x0000FF);
    {
        Selected pen(ellipse.dc, inside);
        Selected brush(ellipse.dc, red);
        Ellipse(ellipse.dc, 1, 1, 11, 9);
    }
    DeleteObject(red);
    HRGN box_shape = CreateEllipticRgn(1, 1, 11, 9);
    EXPECT_EQ(Painted(ellipse), Region_Pixels(box_shape, 12, 10));
    EXPECT_EQ(ellipse.Map(red_legend), Picture({"............", "....####....", "..########..", ".##########.", ".###rrrr###.", ".###rrrr###.",
                                                ".##########.", "..########..", "....####....", "............"}));
    DeleteObject(box_shape);
    DeleteObject(inside);
}

TEST(Gdi_Figures, PieFillsOnlyItsQuarter)
{
    Gdi_Test_Surface surface(11, 11);
    Selected brush(surface.dc, GetStockObject(BLACK_BRUSH));
    // Counter-clockwise from 3 o'clock to 12 o'clock: the upper right quarter.
    Pie(surface.dc, 0, 0, 11, 11, 10, 5, 5, 0);
    EXPECT_EQ(surface.At(7, 3), 0u) << surface.Map();
    EXPECT_EQ(surface.At(3, 3), 0xFFFFFFu) << surface.Map();
    EXPECT_EQ(surface.At(7, 7), 0xFFFFFFu) << surface.Map();
}

TEST(Gdi_Figures, WildCoordinatesCostOnlyTheSurface)
{
    Gdi_Test_Surface surface(3, 3);
    Selected brush(surface.dc, GetStockObject(BLACK_BRUSH));
    Ellipse(surface.dc, -1000000, -1000000, 1000000, 1000000);
    EXPECT_EQ(surface.At(1, 1), 0u);
    Gdi_Test_Surface other(3, 3);
    Selected other_brush(other.dc, GetStockObject(BLACK_BRUSH));
    const POINT huge[] = {{-2000000000, -2000000000}, {2000000000, -2000000000}, {0, 2000000000}};
    Polygon(other.dc, huge, 3);
    EXPECT_EQ(other.At(1, 1), 0u);
    HRGN region = CreatePolygonRgn(huge, 3, WINDING);
    EXPECT_TRUE(PtInRegion(region, 0, 0));
    DeleteObject(region);
    const RECT everything{-2000000000, -2000000000, 2000000000, 2000000000};
    FillRect(other.dc, &everything, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawFocusRect(other.dc, &everything);
    EXPECT_EQ(other.Map(), Picture({"...", "...", "..."}));
    Gdi_Test_Surface source(1, 1);
    EXPECT_TRUE(BitBlt(other.dc, -2000000000, -2000000000, 2100000000, 2100000000, source.dc, 0, 0, SRCCOPY));
}

TEST(Gdi_Fills, FillRectIsHalfOpenAndIgnoresThePenMix)
{
    Gdi_Test_Surface surface(4, 3);
    SetROP2(surface.dc, R2_NOP);
    RECT rect{1, 0, 3, 2};
    ASSERT_TRUE(FillRect(surface.dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))));
    EXPECT_EQ(surface.Map(), Picture({".##.", ".##.", "...."}));
}

TEST(Gdi_Fills, FrameRectAndInvertRect)
{
    Gdi_Test_Surface surface(5, 4);
    RECT rect{0, 0, 4, 4};
    FrameRect(surface.dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(surface.Map(), Picture({"####.", "#..#.", "#..#.", "####."}));
    RECT inner{1, 1, 5, 3};
    InvertRect(surface.dc, &inner);
    EXPECT_EQ(surface.Map(), Picture({"####.", "###.#", "###.#", "####."}));
}

TEST(Gdi_Fills, SystemColourIndexPlusOneServesAsABrush)
{
    Gdi_Test_Surface surface(1, 1);
    RECT rect{0, 0, 1, 1};
    FillRect(surface.dc, &rect, reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(15 + 1))); // button face
    EXPECT_EQ(surface.At(0, 0), 0xC0C0C0u);
}

TEST(Gdi_Fills, HatchGapsFollowTheBackgroundMode)
{
    HBRUSH hatch = CreateHatchBrush(HS_VERTICAL, 0x000000);
    RECT rect{0, 0, 8, 1};
    Gdi_Test_Surface transparent(8, 1, 0x0000FF);
    SetBkMode(transparent.dc, TRANSPARENT);
    FillRect(transparent.dc, &rect, hatch);
    EXPECT_EQ(transparent.Map(red_legend), "rrrr#rrr");
    Gdi_Test_Surface opaque(8, 1, 0x0000FF);
    FillRect(opaque.dc, &rect, hatch);
    EXPECT_EQ(opaque.Map(red_legend), "....#...");
    DeleteObject(hatch);
}

TEST(Gdi_Fills, MonochromePatternBrushTakesTheTextAndBackgroundColours)
{
    // Rows of 16 bits: black (0) in the left half of each 8-pixel row.
    const unsigned char bits[16] = {0x0F, 0, 0x0F, 0, 0x0F, 0, 0x0F, 0, 0x0F, 0, 0x0F, 0, 0x0F, 0, 0x0F, 0};
    HBITMAP pattern = CreateBitmap(8, 8, 1, 1, bits);
    HBRUSH brush = CreatePatternBrush(pattern);
    DeleteObject(pattern); // the brush keeps its own copy
    Gdi_Test_Surface surface(8, 1);
    SetTextColor(surface.dc, 0x0000FF);
    SetBkColor(surface.dc, 0x000000);
    RECT rect{0, 0, 8, 1};
    FillRect(surface.dc, &rect, brush);
    EXPECT_EQ(surface.Map(red_legend), "rrrr####");
    DeleteObject(brush);
}

TEST(Gdi_Fills, RegionFillsHonourThePenMix)
{
    Gdi_Test_Surface surface(4, 1);
    SetPixel(surface.dc, 0, 0, 0x000000);
    HRGN region = CreateRectRgn(0, 0, 2, 1);
    SetROP2(surface.dc, R2_XORPEN);
    FillRgn(surface.dc, region, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(surface.Map(), ".#..");
    SetROP2(surface.dc, R2_COPYPEN);
    FrameRgn(surface.dc, region, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), 1, 1);
    EXPECT_EQ(surface.Map(), "##..");
    DeleteObject(region);
}

TEST(Gdi_Pixels, SetPixelAnswersTheColourSetAndInvalidOutside)
{
    Gdi_Test_Surface surface(2, 2);
    EXPECT_EQ(SetPixel(surface.dc, 1, 1, 0x123456), 0x123456u);
    EXPECT_EQ(GetPixel(surface.dc, 1, 1), 0x123456u);
    EXPECT_EQ(SetPixel(surface.dc, 2, 0, 0), CLR_INVALID);
    EXPECT_EQ(GetPixel(surface.dc, -1, 0), CLR_INVALID);
}
