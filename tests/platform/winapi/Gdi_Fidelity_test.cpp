// Behaviours pinned against what GDI does on Windows: the fourth byte of
// 32-bit DIB pixels, line rounding ties, hatch rows, palette colours, pen
// mixes on SetPixel, the small and inverted rectangles, and stretch modes.

#include "platform/winapi/Gdi.h"
#include "platform/winapi/Gdi_Text.h"
#include "tests/platform/winapi/Gdi_Test_Surface.h"
#include "tests/support/Gui_Application.h"

#include <gtest/gtest.h>

#include <functional>

#include <cstring>
#include <vector>

namespace {

const std::map<COLORREF, char> colour_legend{{0xFFFFFF, '.'}, {0x000000, '#'}, {0x0000FF, 'r'}, {0x00FF00, 'g'}, {0x00FFFF, 'y'}};

// A 32-bit DIB section selected into its own memory DC, its memory at hand.
class Dib_Section {
public:
    Dib_Section(int width, int height, bool bottom_up, std::uint32_t fill)
        : width(width), height(height), bottom_up(bottom_up)
    {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, bottom_up ? height : -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* memory = nullptr;
        bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
        bits = static_cast<std::uint32_t*>(memory);
        std::fill(bits, bits + width * height, fill);
        dc = CreateCompatibleDC(nullptr);
        old = SelectObject(dc, bitmap);
    }
    ~Dib_Section()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Dib_Section(const Dib_Section&) = delete;
    Dib_Section& operator=(const Dib_Section&) = delete;

    // The raw 32 bits of pixel (x, y), 0xAARRGGBB with AA the fourth byte.
    std::uint32_t& At(int x, int y) { return bits[(bottom_up ? height - 1 - y : y) * width + x]; }

    int width;
    int height;
    bool bottom_up;
    HBITMAP bitmap = nullptr;
    std::uint32_t* bits = nullptr;
    HDC dc = nullptr;

private:
    HGDIOBJ old = nullptr;
};

std::string Line_Map(POINT from, POINT to, int width, int height)
{
    Gdi_Test_Surface surface(width, height);
    MoveToEx(surface.dc, from.x, from.y, nullptr);
    LineTo(surface.dc, to.x, to.y);
    SetPixel(surface.dc, to.x, to.y, 0x000000); // the end pixel too, to compare both directions
    return surface.Map();
}

} // namespace

// ---- The fourth byte -----------------------------------------------------

TEST(Gdi_Fourth_Byte, DrawingLeavesUndrawnPixelsAloneAndClearsDrawnOnes)
{
    for (const bool bottom_up : {false, true}) {
        SCOPED_TRACE(bottom_up ? "bottom-up" : "top-down");
        Dib_Section dib(4, 2, bottom_up, 0x7F102030u);
        const RECT left{0, 0, 2, 2};
        FillRect(dib.dc, &left, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetPixel(dib.dc, 2, 1, 0x0000FF);
        EXPECT_EQ(dib.At(0, 0), 0x00FFFFFFu);
        EXPECT_EQ(dib.At(1, 1), 0x00FFFFFFu);
        EXPECT_EQ(dib.At(2, 1), 0x00FF0000u);
        EXPECT_EQ(dib.At(2, 0), 0x7F102030u) << "undrawn";
        EXPECT_EQ(dib.At(3, 1), 0x7F102030u) << "undrawn";
    }
}

TEST(Gdi_Fourth_Byte, RasterOperationsWorkOnAllThirtyTwoBits)
{
    for (const bool bottom_up : {false, true}) {
        SCOPED_TRACE(bottom_up ? "bottom-up" : "top-down");
        Dib_Section dib(3, 1, bottom_up, 0x7F102030u);
        PatBlt(dib.dc, 0, 0, 1, 1, DSTINVERT);
        EXPECT_EQ(dib.At(0, 0), 0x80EFDFCFu);
        SetROP2(dib.dc, R2_NOT);
        SetPixel(dib.dc, 1, 0, 0x000000);
        EXPECT_EQ(dib.At(1, 0), 0x80EFDFCFu) << "SetPixel under R2_NOT";
        SetROP2(dib.dc, R2_XORPEN);
        SetPixel(dib.dc, 2, 0, 0x0000FF);
        EXPECT_EQ(dib.At(2, 0), 0x7FEF2030u) << "XOR with a colour whose fourth byte is 0";
    }
}

TEST(Gdi_Fourth_Byte, SourceCopyFromThirtyTwoBitsCarriesTheFourthByte)
{
    Dib_Section source(2, 1, false, 0x55ABCDEFu);
    Dib_Section dest(2, 1, true, 0x11000000u);
    ASSERT_TRUE(BitBlt(dest.dc, 0, 0, 2, 1, source.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(dest.At(0, 0), 0x55ABCDEFu);
    EXPECT_EQ(dest.At(1, 0), 0x55ABCDEFu);
    // An ordinary surface has no fourth byte of its own: what it gives is 0,
    // and what it takes stays an opaque RGB32 pixel.
    Gdi_Test_Surface plain(2, 1, 0x123456);
    BitBlt(dest.dc, 0, 0, 1, 1, plain.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(dest.At(0, 0), 0x00563412u);
    BitBlt(plain.dc, 0, 0, 2, 1, source.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(plain.image.pixel(1, 0), 0xFFABCDEFu);
    // GetDIBits into 32 bits hands the fourth byte on too.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 2, -1, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::uint32_t read[2] = {};
    ASSERT_EQ(GetDIBits(source.dc, source.bitmap, 0, 1, read, &info, DIB_RGB_COLORS), 1);
    EXPECT_EQ(read[1], 0x55ABCDEFu);
}

// Text writes its ink and its opaque cell as any drawing does: the fourth
// byte 0 where it drew, untouched elsewhere; turned text too.
TEST(Gdi_Fourth_Byte, TextClearsItOnlyWhereItDraws)
{
    Ensure_Gui_Application();
    constexpr std::uint32_t undrawn = 0x7F102030u;
    for (const bool bottom_up : {false, true}) {
        for (const int escapement : {0, 900}) {
            SCOPED_TRACE(testing::Message() << (bottom_up ? "bottom-up " : "top-down ") << escapement);
            Dib_Section dib(40, 40, bottom_up, undrawn);
            HFONT font = CreateFontA(-16, 0, escapement, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
            HGDIOBJ old_font = SelectObject(dib.dc, font);
            SetTextColor(dib.dc, 0xFFFFFF);
            SetBkMode(dib.dc, TRANSPARENT);
            ASSERT_TRUE(TextOutA(dib.dc, 2, escapement ? 30 : 2, "W", 1));
            int inked = 0;
            for (int y = 0; y < dib.height; ++y)
                for (int x = 0; x < dib.width; ++x) {
                    const std::uint32_t pixel = dib.At(x, y);
                    ASSERT_TRUE(pixel == undrawn || pixel == 0x00FFFFFFu) << x << "," << y << " " << std::hex << pixel;
                    inked += pixel != undrawn;
                }
            EXPECT_GT(inked, 10);
            SelectObject(dib.dc, old_font);
            DeleteObject(font);
        }
        Dib_Section dib(40, 40, bottom_up, undrawn);
        HFONT font = CreateFontA(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
        HGDIOBJ old_font = SelectObject(dib.dc, font);
        TEXTMETRICA metrics;
        GetTextMetricsA(dib.dc, &metrics);
        SIZE cell;
        GetTextExtentPoint32A(dib.dc, "W", 1, &cell);
        SetTextColor(dib.dc, 0xFFFFFF);
        SetBkMode(dib.dc, OPAQUE);
        SetBkColor(dib.dc, 0x0000FF);
        ASSERT_TRUE(TextOutA(dib.dc, 2, 20, "W", 1));
        for (int y = 20; y < 20 + metrics.tmHeight; ++y)
            for (int x = 2; x < 2 + cell.cx; ++x)
                ASSERT_TRUE(dib.At(x, y) == 0x00FF0000u || dib.At(x, y) == 0x00FFFFFFu) << x << "," << y;
        EXPECT_EQ(dib.At(2 + cell.cx, 20), undrawn) << "right of the cell";
        EXPECT_EQ(dib.At(1, 20), undrawn) << "left of the cell";
        EXPECT_EQ(dib.At(2, 19), undrawn) << "above the cell";
        SelectObject(dib.dc, old_font);
        DeleteObject(font);
    }
}

// ---- Lines ------------------------------------------------------------------

TEST(Gdi_Lines, ExactHalvesRoundToTheSmallerCoordinateWhicheverWayTheLineRuns)
{
    // Slope 1/2 and 2: every other step is an exact half.
    EXPECT_EQ(Line_Map({0, 0}, {4, 2}, 5, 3), Picture({"##...", "..##.", "....#"}));
    EXPECT_EQ(Line_Map({4, 2}, {0, 0}, 5, 3), Picture({"##...", "..##.", "....#"}));
    EXPECT_EQ(Line_Map({0, 2}, {4, 0}, 5, 3), Picture({"...##", ".##..", "#...."}));
    EXPECT_EQ(Line_Map({4, 0}, {0, 2}, 5, 3), Picture({"...##", ".##..", "#...."}));
    EXPECT_EQ(Line_Map({0, 0}, {2, 4}, 3, 5), Picture({"#..", "#..", ".#.", ".#.", "..#"}));
    EXPECT_EQ(Line_Map({2, 4}, {0, 0}, 3, 5), Picture({"#..", "#..", ".#.", ".#.", "..#"}));
    EXPECT_EQ(Line_Map({2, 0}, {0, 4}, 3, 5), Picture({"..#", ".#.", ".#.", "#..", "#.."}));
}

// ---- Hatches ----------------------------------------------------------------

TEST(Gdi_Fills, HorizontalHatchLinesLieOnRowThree)
{
    struct Case {
        int hatch;
        std::string picture;
    };
    const Case cases[] = {
        {HS_HORIZONTAL, Picture({"........", "........", "........", "########", "........", "........", "........", "........"})},
        {HS_CROSS, Picture({"....#...", "....#...", "....#...", "########", "....#...", "....#...", "....#...", "....#..."})},
    };
    for (const Case& c : cases) {
        HBRUSH hatch = CreateHatchBrush(c.hatch, 0x000000);
        Gdi_Test_Surface surface(8, 8);
        const RECT all{0, 0, 8, 8};
        FillRect(surface.dc, &all, hatch);
        EXPECT_EQ(surface.Map(), c.picture) << "hatch " << c.hatch;
        DeleteObject(hatch);
    }
}

// ---- Colour values ------------------------------------------------------------

TEST(Gdi_Colours, PaletteIndexDibIndexAndPaletteRgbValues)
{
    Gdi_Test_Surface surface(4, 1);
    const COLORREF colours[] = {0x01000009, 0x10FF0003, 0x02123456};
    for (int x = 0; x < 3; ++x) {
        HBRUSH brush = CreateSolidBrush(colours[x]);
        const RECT pixel{x, 0, x + 1, 1};
        FillRect(surface.dc, &pixel, brush);
        DeleteObject(brush);
    }
    EXPECT_EQ(surface.At(0, 0), 0xF0CAA6u) << "the default palette's sky blue";
    EXPECT_EQ(surface.At(1, 0), 0x000000u) << "no colour table on a 32-bit surface";
    EXPECT_EQ(surface.At(2, 0), 0x123456u);

    std::vector<unsigned char> buffer(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY));
    auto* log_palette = reinterpret_cast<LOGPALETTE*>(buffer.data());
    log_palette->palVersion = 0x300;
    log_palette->palNumEntries = 2;
    log_palette->palPalEntry[0] = PALETTEENTRY{0x11, 0x22, 0x33, 0};
    log_palette->palPalEntry[1] = PALETTEENTRY{0x44, 0x55, 0x66, 0};
    HPALETTE palette = CreatePalette(log_palette);
    HPALETTE old = SelectPalette(surface.dc, palette, FALSE);
    SetPixel(surface.dc, 3, 0, 0x01000001);
    EXPECT_EQ(surface.At(3, 0), 0x665544u);
    SetTextColor(surface.dc, 0x01000000);
    EXPECT_EQ(GetTextColor(surface.dc), 0x01000000u) << "kept as given, resolved when drawn";
    SelectPalette(surface.dc, old, FALSE);
    DeleteObject(palette);
}

TEST(Gdi_Colours, AnyHighByteWithBit24SetIsAPaletteIndex)
{
    std::vector<unsigned char> buffer(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY));
    auto* log_palette = reinterpret_cast<LOGPALETTE*>(buffer.data());
    log_palette->palVersion = 0x300;
    log_palette->palNumEntries = 2;
    log_palette->palPalEntry[0] = PALETTEENTRY{0x11, 0x22, 0x33, 0};
    log_palette->palPalEntry[1] = PALETTEENTRY{0x44, 0x55, 0x66, 0};
    HPALETTE palette = CreatePalette(log_palette);
    struct Case {
        COLORREF colour;
        COLORREF expected;
    };
    // PALETTEINDEX and its companions with other high bits; PALETTERGB and a
    // high byte without bit 24 are plain RGB; a DIB index has no table here.
    const Case cases[] = {
        {0x01000001, 0x665544u}, {0x03000001, 0x665544u}, {0xFF000001, 0x665544u}, {0x11000000, 0x332211u},
        {0x02000001, 0x000001u}, {0x04ABCDEF, 0xABCDEFu}, {0x10FF0001, 0x000000u},
    };
    for (const Case& c : cases) {
        Gdi_Test_Surface surface(1, 1);
        HPALETTE old = SelectPalette(surface.dc, palette, FALSE);
        SetPixel(surface.dc, 0, 0, c.colour);
        EXPECT_EQ(surface.At(0, 0), c.expected) << std::hex << c.colour;
        SelectPalette(surface.dc, old, FALSE);
    }
    DeleteObject(palette);
}

// ---- SetPixel ------------------------------------------------------------------

TEST(Gdi_Pixels, SetPixelHonoursThePenMix)
{
    Gdi_Test_Surface surface(2, 1);
    SetROP2(surface.dc, R2_XORPEN);
    SetPixel(surface.dc, 0, 0, 0x00FF00);
    SetROP2(surface.dc, R2_NOP);
    SetPixel(surface.dc, 1, 0, 0x000000);
    EXPECT_EQ(surface.At(0, 0), 0xFF00FFu);
    EXPECT_EQ(surface.At(1, 0), 0xFFFFFFu);
}

// ---- Small rectangles ---------------------------------------------------------------

TEST(Gdi_Rectangle, EmptyThinAndInvertedRectangles)
{
    HBRUSH red = CreateSolidBrush(0x0000FF);
    struct Case {
        RECT rect;
        std::string picture;
    };
    const Case cases[] = {
        {{1, 1, 1, 4}, Picture({".....", ".....", ".....", ".....", "....."})}, // no width: nothing at all
        {{1, 1, 4, 1}, Picture({".....", ".....", ".....", ".....", "....."})}, // no height
        {{1, 1, 2, 2}, Picture({".....", ".....", ".....", ".....", "....."})}, // one pixel: nothing either
        {{2, 2, 1, 1}, Picture({".....", ".....", ".....", ".....", "....."})},
        {{1, 1, 2, 4}, Picture({".....", ".#...", ".#...", ".#...", "....."})}, // one pixel wide: the pen's line only
        {{1, 1, 4, 2}, Picture({".....", ".###.", ".....", ".....", "....."})},
        {{1, 1, 3, 3}, Picture({".....", ".##..", ".##..", ".....", "....."})}, // two: all pen, no fill
        {{1, 1, 4, 4}, Picture({".....", ".###.", ".#r#.", ".###.", "....."})},
        {{4, 4, 1, 1}, Picture({".....", ".###.", ".#r#.", ".###.", "....."})}, // inverted: the same rectangle
        {{4, 1, 1, 4}, Picture({".....", ".###.", ".#r#.", ".###.", "....."})},
    };
    for (const Case& c : cases) {
        Gdi_Test_Surface surface(5, 5);
        Selected brush(surface.dc, red);
        ASSERT_TRUE(Rectangle(surface.dc, c.rect.left, c.rect.top, c.rect.right, c.rect.bottom));
        EXPECT_EQ(surface.Map(colour_legend), c.picture) << c.rect.left << "," << c.rect.top << "," << c.rect.right << "," << c.rect.bottom;
    }
    DeleteObject(red);
}

TEST(Gdi_Rectangle, DashesRunCounterClockwiseFromTheTopRightCorner)
{
    // Dots are three on, three off: along the top first, then down the left side, along the bottom, up the right.
    Gdi_Test_Surface surface(8, 6);
    HPEN dotted = CreatePen(PS_DOT, 1, 0x000000);
    {
        Selected pen(surface.dc, dotted);
        Selected brush(surface.dc, GetStockObject(NULL_BRUSH));
        SetBkMode(surface.dc, TRANSPARENT);
        Rectangle(surface.dc, 0, 0, 8, 6);
    }
    DeleteObject(dotted);
    EXPECT_EQ(surface.Map(), Picture({"##...###", "#.......", "........", "........", ".......#", "###...##"}));
}

TEST(Gdi_Figures, DashesWalkCurvedOutlinesCounterClockwise)
{
    // Dots, three on and three off: closed figures from their top-left, arcs
    // from their start, the closing lines of pies and chords going on from
    // the arc's end back to its start.
    struct Case {
        const char* name;
        std::function<void(HDC)> draw;
        std::string picture;
    };
    const Case cases[] = {
        {"ellipse", [](HDC dc) { Ellipse(dc, 0, 0, 12, 8); },
         Picture({"...###......", ".#.......##.", "#..........#", "#...........", "............", "............", "..#......##.", "...##...#..."})},
        {"round rectangle", [](HDC dc) { RoundRect(dc, 0, 0, 12, 8, 6, 6); },
         Picture({".##...###...", "#...........", "#..........#", "#..........#", "...........#", "............", "............", ".###...###.."})},
        {"arc", [](HDC dc) { Arc(dc, 0, 0, 12, 8, 12, 4, 0, 4); },
         Picture({"....###.....", "..........#.", "#..........#", "#..........#", "#...........", "............", "............", "............"})},
        {"pie", [](HDC dc) { Pie(dc, 0, 0, 12, 8, 12, 4, 0, 4); },
         Picture({"....###.....", "..........#.", "#..........#", "#..###.....#", "#........###", "............", "............", "............"})},
    };
    HPEN dotted = CreatePen(PS_DOT, 1, 0x000000);
    for (const Case& c : cases) {
        Gdi_Test_Surface surface(12, 8);
        Selected pen(surface.dc, dotted);
        Selected brush(surface.dc, GetStockObject(NULL_BRUSH));
        SetBkMode(surface.dc, TRANSPARENT);
        c.draw(surface.dc);
        EXPECT_EQ(surface.Map(), c.picture) << c.name;
    }
    DeleteObject(dotted);
}

TEST(Gdi_Figures, DashGapsOfCurvedOutlinesTakeTheBackgroundWhenOpaque)
{
    HPEN dotted = CreatePen(PS_DOT, 1, 0x000000);
    auto dotted_ellipse = [&](int mode) {
        Gdi_Test_Surface surface(12, 8);
        Selected pen(surface.dc, dotted);
        Selected brush(surface.dc, GetStockObject(NULL_BRUSH));
        SetBkMode(surface.dc, mode);
        SetBkColor(surface.dc, 0x0000FF);
        Ellipse(surface.dc, 0, 0, 12, 8);
        return surface.Map(colour_legend);
    };
    Gdi_Test_Surface solid(12, 8);
    Ellipse(solid.dc, 0, 0, 12, 8);
    // The gaps are exactly the outline pixels the dots leave out.
    std::string expected = dotted_ellipse(TRANSPARENT);
    const std::string outline = solid.Map();
    for (std::size_t i = 0; i < expected.size(); ++i)
        if (outline[i] == '#' && expected[i] == '.')
            expected[i] = 'r';
    EXPECT_EQ(dotted_ellipse(OPAQUE), expected);
    EXPECT_NE(expected.find('r'), std::string::npos);
    DeleteObject(dotted);
}

// ---- Stretch modes ---------------------------------------------------------------

TEST(Gdi_Stretch, ShrinkingAndsOrsOrPicksByTheStretchMode)
{
    // Red and green side by side (and one above the other) fall on one pixel.
    Gdi_Test_Surface source(2, 2);
    SetPixel(source.dc, 0, 0, 0x0000FF);
    SetPixel(source.dc, 1, 0, 0x00FF00);
    SetPixel(source.dc, 0, 1, 0x00FF00);
    struct Case {
        int mode;
        std::string picture;
    };
    const Case cases[] = {{BLACKONWHITE, "##"}, {WHITEONBLACK, "yy"}, {COLORONCOLOR, "rr"}, {HALFTONE, "rr"}};
    for (const Case& c : cases) {
        Gdi_Test_Surface dest(2, 1);
        EXPECT_NE(SetStretchBltMode(dest.dc, c.mode), 0);
        StretchBlt(dest.dc, 0, 0, 1, 1, source.dc, 0, 0, 2, 1, SRCCOPY); // across
        StretchBlt(dest.dc, 1, 0, 1, 1, source.dc, 0, 0, 1, 2, SRCCOPY); // down
        EXPECT_EQ(dest.Map(colour_legend), c.picture) << "mode " << c.mode;
    }
    // Enlarging repeats pixels in every mode.
    Gdi_Test_Surface wide(4, 1);
    StretchBlt(wide.dc, 0, 0, 4, 1, source.dc, 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(wide.Map(colour_legend), "rrgg");
}
