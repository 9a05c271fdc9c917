#include "platform/winapi/Gdi.h"
#include "platform/winapi/Gdi_Objects.h"
#include "platform/winapi/Sys_Colors.h"
#include "platform/winapi/Gdi_Text.h"
#include "tests/platform/winapi/Gdi_Test_Surface.h"
#include "tests/support/Gui_Application.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

namespace {

void Fill_All(HDC dc, int stock_brush)
{
    RECT all{-100, -100, 100, 100};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(stock_brush)));
}

} // namespace

TEST(Gdi_Dc, OriginAndClipMapLogicalToDevice)
{
    Gdi_Test_Surface surface(6, 4);
    SetWindowOrgEx(surface.dc, -2, -1, nullptr); // logical (0, 0) is device (2, 1)
    EXPECT_EQ(IntersectClipRect(surface.dc, 0, 0, 2, 2), SIMPLEREGION);
    RECT box;
    EXPECT_EQ(GetClipBox(surface.dc, &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{0, 0, 2, 2}));
    // The clip stays where it was put in device space when the origin moves.
    SetWindowOrgEx(surface.dc, 0, 0, nullptr);
    GetClipBox(surface.dc, &box);
    EXPECT_EQ(box, (RECT{2, 1, 4, 3}));
    Fill_All(surface.dc, BLACK_BRUSH);
    EXPECT_EQ(surface.Map(), Picture({"......", "..##..", "..##..", "......"}));
}

TEST(Gdi_Dc, ExcludeClipRectAndClipRegions)
{
    Gdi_Test_Surface surface(4, 2);
    EXPECT_EQ(ExcludeClipRect(surface.dc, 1, 0, 2, 2), COMPLEXREGION);
    HRGN clip = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(surface.dc, clip), 1);
    EXPECT_FALSE(PtInRegion(clip, 1, 1));
    EXPECT_TRUE(PtInRegion(clip, 2, 1));
    Fill_All(surface.dc, BLACK_BRUSH);
    EXPECT_EQ(surface.Map(), Picture({"#.##", "#.##"}));
    EXPECT_EQ(SelectClipRgn(surface.dc, nullptr), SIMPLEREGION);
    EXPECT_EQ(GetClipRgn(surface.dc, clip), 0);
    // A selected region is copied: changing it afterwards changes nothing.
    SetRectRgn(clip, 0, 0, 1, 1);
    SelectClipRgn(surface.dc, clip);
    SetRectRgn(clip, 0, 0, 4, 2);
    Fill_All(surface.dc, WHITE_BRUSH);
    EXPECT_EQ(surface.Map(), Picture({"..##", "#.##"}));
    DeleteObject(clip);
}

TEST(Gdi_Dc, RestoreDcBringsBackEveryPart)
{
    Gdi_Test_Surface surface(4, 1);
    HBRUSH red = CreateSolidBrush(0x0000FF);
    const int level = SaveDC(surface.dc);
    EXPECT_EQ(level, 1);
    SelectObject(surface.dc, red);
    SetTextColor(surface.dc, 0x00FF00);
    SetBkMode(surface.dc, TRANSPARENT);
    SetROP2(surface.dc, R2_XORPEN);
    SetViewportOrgEx(surface.dc, 1, 0, nullptr);
    IntersectClipRect(surface.dc, 0, 0, 1, 1);
    MoveToEx(surface.dc, 3, 0, nullptr);
    EXPECT_EQ(SaveDC(surface.dc), 2);
    ASSERT_TRUE(RestoreDC(surface.dc, -2));
    EXPECT_EQ(GetCurrentObject(surface.dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetTextColor(surface.dc), 0x000000u);
    EXPECT_EQ(GetBkMode(surface.dc), OPAQUE);
    EXPECT_EQ(GetROP2(surface.dc), R2_COPYPEN);
    POINT point;
    GetViewportOrgEx(surface.dc, &point);
    EXPECT_EQ(point, (POINT{0, 0}));
    GetCurrentPositionEx(surface.dc, &point);
    EXPECT_EQ(point, (POINT{0, 0}));
    Fill_All(surface.dc, BLACK_BRUSH);
    EXPECT_EQ(surface.Map(), "####");
    EXPECT_FALSE(RestoreDC(surface.dc, -1)); // nothing saved any more
    DeleteObject(red);
}

TEST(Gdi_Dc, ObjectsHeldByASavedStateOutliveDeleteObject)
{
    Gdi_Test_Surface surface(2, 1);
    HBRUSH red = CreateSolidBrush(0x0000FF);
    SelectObject(surface.dc, red);
    SaveDC(surface.dc);
    SelectObject(surface.dc, GetStockObject(BLACK_BRUSH));
    EXPECT_TRUE(DeleteObject(red));
    EXPECT_EQ(GetObjectType(red), static_cast<DWORD>(OBJ_BRUSH)); // still held
    RestoreDC(surface.dc, -1);
    EXPECT_EQ(GetCurrentObject(surface.dc, OBJ_BRUSH), red);
    PatBlt(surface.dc, 0, 0, 1, 1, PATCOPY);
    EXPECT_EQ(surface.At(0, 0), 0x0000FFu);
    SelectObject(surface.dc, GetStockObject(WHITE_BRUSH)); // the last holder lets go
    EXPECT_EQ(GetObjectType(red), 0u);
}

TEST(Gdi_Dc, MemoryDcStartsWithAOnePixelMonoBitmap)
{
    HDC memory = CreateCompatibleDC(nullptr);
    BITMAP info;
    ASSERT_EQ(GetObject(GetCurrentObject(memory, OBJ_BITMAP), sizeof(info), &info), static_cast<int>(sizeof(info)));
    EXPECT_EQ(info.bmWidth, 1);
    EXPECT_EQ(info.bmBitsPixel, 1);
    // So a bitmap made compatible with it is monochrome too, unlike one made for the screen.
    HBITMAP mono = CreateCompatibleBitmap(memory, 4, 4);
    HDC screen = GetDC(nullptr);
    HBITMAP colour = CreateCompatibleBitmap(screen, 4, 4);
    GetObject(mono, sizeof(info), &info);
    EXPECT_EQ(info.bmBitsPixel, 1);
    EXPECT_EQ(info.bmWidthBytes, 2);
    GetObject(colour, sizeof(info), &info);
    EXPECT_EQ(info.bmBitsPixel, 32);
    // A bitmap lives in one DC at a time.
    HDC other = CreateCompatibleDC(screen);
    EXPECT_NE(SelectObject(memory, colour), nullptr);
    EXPECT_EQ(SelectObject(other, colour), nullptr);
    DeleteDC(memory);
    EXPECT_NE(SelectObject(other, colour), nullptr);
    DeleteDC(other);
    for (HBITMAP bitmap : {mono, colour})
        DeleteObject(bitmap);
    ReleaseDC(nullptr, screen);
}

TEST(Gdi_Dc, BadHandlesFailInsteadOfCrashing)
{
    int not_a_dc = 0;
    HDC bogus = reinterpret_cast<HDC>(&not_a_dc);
    EXPECT_EQ(SetTextColor(bogus, 0), CLR_INVALID);
    EXPECT_FALSE(LineTo(bogus, 1, 1));
    EXPECT_FALSE(BitBlt(bogus, 0, 0, 1, 1, nullptr, 0, 0, SRCCOPY));
    EXPECT_FALSE(DeleteObject(&not_a_dc));
    EXPECT_EQ(SelectObject(bogus, GetStockObject(BLACK_PEN)), nullptr);
    EXPECT_EQ(GetDC(reinterpret_cast<HWND>(&not_a_dc)), nullptr);
    QImage wrong_format(2, 2, QImage::Format_Indexed8);
    EXPECT_EQ(Create_Image_DC(&wrong_format), nullptr);
}

TEST(Gdi_Objects, StockObjectsAndGetObject)
{
    EXPECT_EQ(GetObjectType(GetStockObject(NULL_PEN)), static_cast<DWORD>(OBJ_PEN));
    EXPECT_EQ(GetObjectType(GetStockObject(DEFAULT_GUI_FONT)), static_cast<DWORD>(OBJ_FONT));
    EXPECT_EQ(GetObjectType(GetStockObject(DEFAULT_PALETTE)), static_cast<DWORD>(OBJ_PAL));
    EXPECT_EQ(GetStockObject(9), nullptr);
    EXPECT_TRUE(DeleteObject(GetStockObject(WHITE_BRUSH)));
    LOGBRUSH brush;
    ASSERT_EQ(GetObject(GetStockObject(WHITE_BRUSH), sizeof(brush), &brush), static_cast<int>(sizeof(brush)));
    EXPECT_EQ(brush.lbColor, 0xFFFFFFu);
    HPEN pen = CreatePen(PS_DASH, 1, 0x123456);
    LOGPEN log_pen;
    EXPECT_EQ(GetObject(pen, 0, nullptr), static_cast<int>(sizeof(LOGPEN)));
    GetObject(pen, sizeof(log_pen), &log_pen);
    EXPECT_EQ(log_pen.lopnStyle, static_cast<UINT>(PS_DASH));
    EXPECT_EQ(log_pen.lopnColor, 0x123456u);
    DeleteObject(pen);
    LOGFONTA font;
    GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
    EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");
}

TEST(Gdi_Objects, PalettesChangeNothingOnTrueColour)
{
    std::vector<unsigned char> buffer(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY));
    auto* log_palette = reinterpret_cast<LOGPALETTE*>(buffer.data());
    log_palette->palVersion = 0x300;
    log_palette->palNumEntries = 2;
    log_palette->palPalEntry[0] = PALETTEENTRY{255, 0, 0, PC_NOCOLLAPSE};
    HPALETTE palette = CreatePalette(log_palette);
    ASSERT_NE(palette, nullptr);
    WORD entries = 0;
    GetObject(palette, sizeof(entries), &entries);
    EXPECT_EQ(entries, 2);
    Gdi_Test_Surface surface(1, 1, 0x123456);
    HPALETTE old = SelectPalette(surface.dc, palette, FALSE);
    EXPECT_EQ(old, GetStockObject(DEFAULT_PALETTE));
    EXPECT_EQ(RealizePalette(surface.dc), 0u);
    EXPECT_EQ(surface.At(0, 0), 0x123456u);
    SelectPalette(surface.dc, old, FALSE);
    DeleteObject(palette);
}

TEST(Gdi_Bitmaps, DibSectionRowsFollowTheirOrientation)
{
    for (const bool bottom_up : {true, false}) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = 2;
        info.bmiHeader.biHeight = bottom_up ? 2 : -2;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        ASSERT_NE(bits, nullptr);
        auto* bytes = static_cast<unsigned char*>(bits);
        bytes[0] = 0xFF; // first pixel in memory: blue
        HDC dc = CreateCompatibleDC(nullptr);
        SelectObject(dc, bitmap);
        EXPECT_EQ(GetPixel(dc, 0, bottom_up ? 1 : 0), 0xFF0000u) << bottom_up;
        SetPixel(dc, 1, bottom_up ? 1 : 0, 0x0000FF);
        EXPECT_EQ(bytes[5], 0xFF) << "red of the second pixel in memory";
        EXPECT_EQ(bytes[3], 0x00);
        DIBSECTION section;
        ASSERT_EQ(GetObject(bitmap, sizeof(section), &section), static_cast<int>(sizeof(section)));
        EXPECT_EQ(section.dsBm.bmWidthBytes, 8); // two 3-byte pixels padded to 4 bytes
        EXPECT_EQ(section.dsBm.bmBits, bits);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
}

// Rows opened for the caller and rows drawn by GDI meet exactly, whichever
// side wrote last; once GetObject hands out the raw memory, writes through it
// reach GDI and GDI's drawing reaches it without any opening.
TEST(Gdi_Bitmaps, DibSectionMemoryAndSurfaceStayInStep)
{
    for (const WORD depth : {WORD{24}, WORD{32}}) {
        for (const bool bottom_up : {true, false}) {
            SCOPED_TRACE(testing::Message() << depth << (bottom_up ? " bottom-up" : " top-down"));
            BITMAPINFO info{};
            info.bmiHeader = {sizeof(BITMAPINFOHEADER), 3, bottom_up ? 3 : -3, 1, depth, BI_RGB, 0, 0, 0, 0, 0};
            HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, nullptr, nullptr, 0);
            auto* section = Gdi_Find<Gdi_Bitmap>(bitmap);
            ASSERT_NE(section, nullptr);
            HDC dc = CreateCompatibleDC(nullptr);
            SelectObject(dc, bitmap);
            const int pixel_bytes = depth / 8;

            SetPixel(dc, 0, 0, 0x0000FF);
            section->Open_Dib_Row(1)[0] = 0xFF; // (0, 1) blue, written after the drawing
            SetPixel(dc, 2, 2, 0x00FF00);
            EXPECT_EQ(GetPixel(dc, 0, 1), 0xFF0000u);
            EXPECT_EQ(section->Open_Dib_Row(0)[2], 0xFF) << "red drawn at (0, 0)";
            EXPECT_EQ(section->Open_Dib_Row(2)[2 * pixel_bytes + 1], 0xFF) << "green drawn at (2, 2)";
            EXPECT_EQ(section->Open_Dib_Row(1)[0], 0xFF) << "the caller's blue kept";

            DIBSECTION object;
            ASSERT_EQ(GetObject(bitmap, sizeof(object), &object), static_cast<int>(sizeof(object)));
            auto* memory = static_cast<unsigned char*>(object.dsBm.bmBits);
            auto raw_pixel = [&](int x, int y) { return memory + (bottom_up ? 2 - y : y) * object.dsBm.bmWidthBytes + x * pixel_bytes; };
            SetPixel(dc, 1, 1, 0xFFFFFF);
            EXPECT_EQ(raw_pixel(1, 1)[1], 0xFF) << "drawing reaches handed-out memory";
            raw_pixel(2, 0)[1] = 0xFF;
            EXPECT_EQ(GetPixel(dc, 2, 0), 0x00FF00u) << "handed-out memory reaches GDI";
            DeleteDC(dc);
            DeleteObject(bitmap);
        }
    }
}

namespace {

// A DIB section with its memory handed out, selected into its own DC.
struct Handed_Out_Dib {
    Handed_Out_Dib(int width, int height, WORD depth, bool bottom_up) : width(width), height(height), depth(depth), bottom_up(bottom_up)
    {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, bottom_up ? height : -height, 1, depth, BI_RGB, 0, 0, 0, 0, 0};
        void* memory = nullptr;
        bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
        bits = static_cast<unsigned char*>(memory);
        dc = CreateCompatibleDC(nullptr);
        old = SelectObject(dc, bitmap);
    }
    ~Handed_Out_Dib()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Handed_Out_Dib(const Handed_Out_Dib&) = delete;
    Handed_Out_Dib& operator=(const Handed_Out_Dib&) = delete;

    unsigned char* Pixel(int x, int y) const
    {
        const int stride = (width * depth + 31) / 32 * 4;
        return bits + (bottom_up ? height - 1 - y : y) * stride + x * (depth / 8);
    }
    // 0xAARRGGBB as the memory holds it; AA is 0 for 24 bits.
    std::uint32_t Read(int x, int y) const
    {
        std::uint32_t value = 0;
        std::memcpy(&value, Pixel(x, y), static_cast<std::size_t>(depth / 8));
        return value;
    }
    void Write(int x, int y, std::uint32_t value) const { std::memcpy(Pixel(x, y), &value, static_cast<std::size_t>(depth / 8)); }

    int width;
    int height;
    WORD depth;
    bool bottom_up;
    HBITMAP bitmap = nullptr;
    unsigned char* bits = nullptr;
    HDC dc = nullptr;
    HGDIOBJ old = nullptr;
};

} // namespace

// Every section is drawn in its own memory, whatever its depth and row
// order. With the memory handed out and written by the caller between
// calls, each must end each call with the same pixels as a top-down 32-bit
// one: a call that misreads rows running backwards, or 24-bit pixels, or
// that reaches beyond its area, shows here. The last calls use the section
// as a QImage (turned text, a pattern taken from it, its rows read and
// written back).
TEST(Gdi_Bitmaps, HandedOutDibSectionsOfEveryLayoutMatchTheSharedOne)
{
    Ensure_Gui_Application();
    constexpr int width = 37;
    constexpr int height = 23;
    HFONT font = CreateFontA(-13, 0, 0, 0, FW_BOLD, 0, 1, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    HFONT turned = CreateFontA(-11, 0, 900, 900, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, 0x00FF00);
    HPEN pen = CreatePen(PS_SOLID, 3, 0xFF0000);
    const std::vector<std::function<void(HDC)>> calls{
        [](HDC dc) { RECT r{3, 2, 20, 15}; FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH))); },
        [&](HDC dc) { SelectObject(dc, pen); SelectObject(dc, hatch); Ellipse(dc, 5, 4, 30, 20); },
        [](HDC dc) { PatBlt(dc, 8, 1, 20, 12, PATINVERT); },
        [](HDC dc) { BitBlt(dc, 10, 6, 20, 15, dc, 2, 1, SRCCOPY); },
        [](HDC dc) { StretchBlt(dc, 30, 20, -25, -18, dc, 0, 0, 12, 9, 0x00E20746); },
        [&](HDC dc) { SelectObject(dc, font); SetBkColor(dc, 0x808000); RECT r{1, 1, 36, 22}; DrawTextA(dc, "Ab&c", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE); },
        [](HDC dc) { SetBkMode(dc, TRANSPARENT); TextOutA(dc, 4, 9, "xyz", 3); },
        [](HDC dc) { RECT r{6, 3, 31, 19}; InvertRect(dc, &r); FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))); },
        [](HDC dc) { RECT r{2, 2, 35, 21}; DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_MIDDLE); },
        [](HDC dc) { SetROP2(dc, R2_XORPEN); MoveToEx(dc, 0, 22, nullptr); LineTo(dc, 36, 0); SetPixel(dc, 18, 11, 0x123456); },
        [](HDC dc) { const POINT star[] = {{18, 0}, {24, 22}, {2, 8}, {34, 8}, {12, 22}}; Polygon(dc, star, 5); },
        // Whole rows from the section onto itself: one block move where the rows run alike.
        [](HDC dc) { BitBlt(dc, 0, 2, width, 9, dc, 0, 13, SRCCOPY); },
        [&](HDC dc) { SelectObject(dc, turned); SetBkMode(dc, OPAQUE); TextOutA(dc, 3, 21, "Tq", 2); },
        [](HDC dc) {
            HBRUSH pattern = CreatePatternBrush(static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP)));
            RECT r{5, 5, 33, 19};
            FillRect(dc, &r, pattern);
            DeleteObject(pattern);
        },
        [](HDC dc) {
            // Read as top-down rows, written back as bottom-up ones: the picture turns upside down.
            BITMAPINFO info{};
            info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
            std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
            HBITMAP bitmap = static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP));
            ASSERT_EQ(GetDIBits(dc, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS), int{height});
            info.bmiHeader.biHeight = height;
            ASSERT_EQ(SetDIBits(dc, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS), int{height});
        },
    };
    for (const WORD depth : {WORD{24}, WORD{32}}) {
        for (const bool bottom_up : {false, true}) {
            if (depth == 32 && !bottom_up)
                continue;
            SCOPED_TRACE(testing::Message() << depth << (bottom_up ? " bottom-up" : " top-down"));
            Handed_Out_Dib shared(width, height, 32, false);
            Handed_Out_Dib tested(width, height, depth, bottom_up);
            const std::uint32_t mask = depth == 24 ? 0xFFFFFFu : 0xFFFFFFFFu;
            std::mt19937 random(7);
            for (std::size_t step = 0; step < calls.size(); ++step) {
                // The caller writes a few pixels straight into both memories.
                for (int i = 0; i < 12; ++i) {
                    const int x = static_cast<int>(random() % width);
                    const int y = static_cast<int>(random() % height);
                    const std::uint32_t value = random() & mask;
                    shared.Write(x, y, value);
                    tested.Write(x, y, value);
                }
                calls[step](shared.dc);
                calls[step](tested.dc);
                for (int y = 0; y < height; ++y)
                    for (int x = 0; x < width; ++x)
                        ASSERT_EQ(tested.Read(x, y), shared.Read(x, y) & mask) << "after call " << step << " at " << x << "," << y;
            }
        }
    }
    DeleteObject(font);
    DeleteObject(turned);
    DeleteObject(hatch);
    DeleteObject(pen);
}

TEST(Gdi_Bitmaps, GetAndSetDibitsRoundTrip)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 2, 2);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 2;
    info.bmiHeader.biHeight = 2; // bottom-up: the first row given is the bottom one
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    const DWORD pixels[4] = {0x000000FF, 0x0000FF00, 0x00FF0000, 0x00FFFFFF}; // blue, green / red, white
    ASSERT_EQ(SetDIBits(screen, bitmap, 0, 2, pixels, &info, DIB_RGB_COLORS), 2);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    EXPECT_EQ(GetPixel(dc, 0, 1), 0xFF0000u); // blue, as COLORREF
    EXPECT_EQ(GetPixel(dc, 0, 0), 0x0000FFu); // red
    SelectObject(dc, old);
    DWORD back[4] = {};
    ASSERT_EQ(GetDIBits(screen, bitmap, 0, 2, back, &info, DIB_RGB_COLORS), 2);
    EXPECT_EQ(std::vector<DWORD>(back, back + 4), std::vector<DWORD>(pixels, pixels + 4));
    DeleteDC(dc);
    DeleteObject(bitmap);
    ReleaseDC(nullptr, screen);
}

TEST(Gdi_System, ClassicColoursAndScreenCaps)
{
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), 0xC0C0C0u);
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), 0x808080u);
    EXPECT_EQ(GetSysColor(COLOR_INFOBK), 0xE1FFFFu);
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), 0x800000u);
    EXPECT_EQ(GetSysColor(99), 0u);
    LOGBRUSH brush;
    GetObject(GetSysColorBrush(COLOR_3DDKSHADOW), sizeof(brush), &brush);
    EXPECT_EQ(brush.lbColor, 0x000000u);
    HDC screen = GetDC(nullptr);
    const int depth = GetDeviceCaps(screen, BITSPIXEL);
    EXPECT_TRUE(depth == 24 || depth == 32);
    EXPECT_EQ(GetDeviceCaps(screen, PLANES), 1);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 96);
    EXPECT_EQ(GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE, 0);
    EXPECT_GT(GetDeviceCaps(screen, HORZRES), 0);
    ReleaseDC(nullptr, screen);
}
