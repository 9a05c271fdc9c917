#include "platform/winapi/Gdi.h"
#include "tests/platform/winapi/Gdi_Test_Surface.h"

#include <gtest/gtest.h>

#include <bitset>

namespace {

const std::map<COLORREF, char> bits_legend{{0xFFFFFF, '1'}, {0x000000, '0'}};

// A memory DC over a colour bitmap whose pixels come from a string ('1' white, '0' black).
class Memory_Bitmap {
public:
    Memory_Bitmap(int width, int height, const std::string& rows, int bits_per_pixel = 32)
    {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = bits_per_pixel == 1 ? CreateBitmap(width, height, 1, 1, nullptr) : CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        old = SelectObject(dc, bitmap);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                SetPixel(dc, x, y, rows[static_cast<std::size_t>(y * width + x)] == '1' ? 0xFFFFFF : 0x000000);
    }
    ~Memory_Bitmap()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Memory_Bitmap(const Memory_Bitmap&) = delete;
    Memory_Bitmap& operator=(const Memory_Bitmap&) = delete;

    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;

private:
    HGDIOBJ old = nullptr;
};

} // namespace

TEST(Gdi_Raster_Operations, EachCodeIsItsOwnTruthTable)
{
    // Column i holds pattern, source and destination bits such that the
    // result read left to right is the code's bits from the highest down.
    std::string pattern_rows;
    for (int y = 0; y < 8; ++y)
        pattern_rows += "11110000";
    Memory_Bitmap pattern_bits(8, 8, pattern_rows);
    HBRUSH pattern = CreatePatternBrush(pattern_bits.bitmap);
    Memory_Bitmap source(8, 1, "11001100");
    const DWORD codes[] = {SRCCOPY, SRCAND,   SRCPAINT,  SRCINVERT, SRCERASE,   NOTSRCCOPY, MERGEPAINT, PATCOPY,
                           PATINVERT, DSTINVERT, BLACKNESS, WHITENESS, 0x00E20746, 0x00A000C9, 0x001D0000, 0x00B80000};
    for (DWORD code : codes) {
        Gdi_Test_Surface dest(8, 1);
        for (int x = 0; x < 8; ++x)
            SetPixel(dest.dc, x, 0, (x % 2) == 0 ? 0xFFFFFF : 0x000000);
        Selected brush(dest.dc, pattern);
        ASSERT_TRUE(BitBlt(dest.dc, 0, 0, 8, 1, source.dc, 0, 0, code));
        EXPECT_EQ(dest.Map(bits_legend), std::bitset<8>((code >> 16) & 0xFF).to_string()) << std::hex << code;
    }
    DeleteObject(pattern);
}

TEST(Gdi_Raster_Operations, WorkOnEveryBitOfTheColour)
{
    Gdi_Test_Surface source(1, 1, 0x123456);
    Gdi_Test_Surface dest(1, 1, 0xFF00F0);
    BitBlt(dest.dc, 0, 0, 1, 1, source.dc, 0, 0, SRCINVERT);
    EXPECT_EQ(dest.At(0, 0), 0x123456u ^ 0xFF00F0u);
    BitBlt(dest.dc, 0, 0, 1, 1, source.dc, 0, 0, SRCAND);
    EXPECT_EQ(dest.At(0, 0), (0x123456u ^ 0xFF00F0u) & 0x123456u);
}

TEST(Gdi_Raster_Operations, PatBltUsesTheBrushAndRefusesSourceCodes)
{
    Gdi_Test_Surface dest(3, 1);
    HBRUSH red = CreateSolidBrush(0x0000FF);
    {
        Selected brush(dest.dc, red);
        ASSERT_TRUE(PatBlt(dest.dc, 1, 0, 2, 1, PATCOPY));
        EXPECT_EQ(dest.At(0, 0), 0xFFFFFFu);
        EXPECT_EQ(dest.At(2, 0), 0x0000FFu);
        ASSERT_TRUE(PatBlt(dest.dc, 0, 0, 3, 1, DSTINVERT));
        EXPECT_EQ(dest.At(1, 0), 0xFFFF00u);
        EXPECT_FALSE(PatBlt(dest.dc, 0, 0, 3, 1, SRCCOPY));
    }
    DeleteObject(red);
}

TEST(Gdi_Mono_Conversion, ColourToMonoMarksTheSourceBackgroundWhite)
{
    Gdi_Test_Surface source(4, 1);
    SetPixel(source.dc, 0, 0, 0x0000FF);
    SetPixel(source.dc, 1, 0, 0xFFFFFF);
    SetPixel(source.dc, 2, 0, 0xFF0000);
    SetPixel(source.dc, 3, 0, 0x0000FF);
    SetBkColor(source.dc, 0x0000FF);
    Memory_Bitmap mono(4, 1, "0000", 1);
    ASSERT_TRUE(BitBlt(mono.dc, 0, 0, 4, 1, source.dc, 0, 0, SRCCOPY));
    std::string bits;
    for (int x = 0; x < 4; ++x)
        bits += GetPixel(mono.dc, x, 0) == 0xFFFFFF ? '1' : '0';
    EXPECT_EQ(bits, "1001");
}

TEST(Gdi_Mono_Conversion, MonoToColourTakesTheDestinationTextAndBackground)
{
    Memory_Bitmap mono(4, 1, "0110", 1);
    Gdi_Test_Surface dest(4, 1);
    SetTextColor(dest.dc, 0x0000FF);
    SetBkColor(dest.dc, 0x00FF00);
    ASSERT_TRUE(BitBlt(dest.dc, 0, 0, 4, 1, mono.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(dest.Map({{0x0000FF, 'r'}, {0x00FF00, 'g'}}), "rggr");
}

TEST(Gdi_Mono_Conversion, DrawingOnAMonoBitmapKeepsBlackAndWhite)
{
    Memory_Bitmap mono(2, 1, "00", 1);
    EXPECT_EQ(SetPixel(mono.dc, 0, 0, 0xE0E0E0), 0xFFFFFFu);
    EXPECT_EQ(SetPixel(mono.dc, 1, 0, 0x202020), 0x000000u);
}

TEST(Gdi_Stretch, NearestNeighbourAndMirroring)
{
    Memory_Bitmap source(2, 1, "01");
    Gdi_Test_Surface dest(4, 2, 0x0000FF);
    SetStretchBltMode(dest.dc, COLORONCOLOR);
    ASSERT_TRUE(StretchBlt(dest.dc, 0, 0, 4, 1, source.dc, 0, 0, 2, 1, SRCCOPY));
    ASSERT_TRUE(StretchBlt(dest.dc, 3, 1, -4, 1, source.dc, 0, 0, 2, 1, SRCCOPY)); // columns 3 down to 0
    EXPECT_EQ(dest.Map(), Picture({"##..", "..##"}));
}

TEST(Gdi_Stretch, ANegativeExtentCountsDownFromItsStartInclusive)
{
    struct Case {
        const char* name;
        int x, y, width, height, x_source, y_source, width_source, height_source;
        std::string picture;
    };
    // Source rows "#.##" and ".###"; the destination is red ('?').
    const Case cases[] = {
        {"destination mirrored onto 2 and 1", 2, 0, -2, 1, 0, 0, 2, 1, Picture({"?.#?", "????"})},
        {"source mirrored from 2 and 1", 0, 0, 2, 1, 2, 0, -2, 1, Picture({"#.??", "????"})},
        {"both negative: no mirror, both placed", 3, 0, -2, 1, 1, 0, -2, 1, Picture({"??#.", "????"})},
        {"destination flipped onto rows 1 and 0", 0, 1, 1, -2, 0, 0, 1, 2, Picture({".???", "#???"})},
    };
    Memory_Bitmap source(4, 2, "01001000");
    for (const Case& c : cases) {
        Gdi_Test_Surface dest(4, 2, 0x0000FF);
        ASSERT_TRUE(StretchBlt(dest.dc, c.x, c.y, c.width, c.height, source.dc, c.x_source, c.y_source, c.width_source,
                               c.height_source, SRCCOPY));
        EXPECT_EQ(dest.Map(), c.picture) << c.name;
    }
}

TEST(Gdi_Stretch, ShrinkingPicksEveryOtherPixel)
{
    Memory_Bitmap source(4, 1, "0101");
    Gdi_Test_Surface dest(2, 1, 0x0000FF);
    StretchBlt(dest.dc, 0, 0, 2, 1, source.dc, 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(dest.Map(), "##");
}

TEST(Gdi_Blit, OverlappingCopyWithinOneSurface)
{
    Gdi_Test_Surface surface(5, 1);
    SetPixel(surface.dc, 0, 0, 0x000000);
    SetPixel(surface.dc, 1, 0, 0x000000);
    ASSERT_TRUE(BitBlt(surface.dc, 1, 0, 4, 1, surface.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(surface.Map(), "###..");
}

TEST(Gdi_Blit, SourceOutsideItsSurfaceLeavesTheDestination)
{
    Memory_Bitmap source(2, 1, "00");
    Gdi_Test_Surface dest(4, 1);
    BitBlt(dest.dc, 0, 0, 4, 1, source.dc, -1, 0, SRCCOPY);
    EXPECT_EQ(dest.Map(), ".##.");
}

TEST(Gdi_Blit, MaskBltPicksTheForegroundWhereTheMaskIsWhite)
{
    Memory_Bitmap source(4, 1, "0000");
    Memory_Bitmap mask(4, 1, "0101", 1);
    Gdi_Test_Surface dest(4, 1);
    ASSERT_TRUE(MaskBlt(dest.dc, 0, 0, 4, 1, source.dc, 0, 0, mask.bitmap, 0, 0, MAKEROP4(SRCCOPY, 0x00AA0029)));
    EXPECT_EQ(dest.Map(), ".#.#");
    EXPECT_FALSE(MaskBlt(dest.dc, 0, 0, 5, 1, source.dc, 0, 0, mask.bitmap, 0, 0, MAKEROP4(SRCCOPY, 0x00AA0029)));
}

TEST(Gdi_Blit, ClipAndOriginApplyToTheDestination)
{
    Memory_Bitmap source(3, 1, "000");
    Gdi_Test_Surface dest(5, 1);
    SetViewportOrgEx(dest.dc, 1, 0, nullptr);
    IntersectClipRect(dest.dc, 0, 0, 2, 1);
    BitBlt(dest.dc, 0, 0, 3, 1, source.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(dest.Map(), ".##..");
}

// A brush used again must look as a fresh one would, wherever it lands in its
// pattern and whatever colours the DC has by then.
TEST(Gdi_Blit, ABrushUsedAgainLooksAsAFreshOne)
{
    const unsigned char rows[16] = {0xA0, 0, 0x50, 0, 0x28, 0, 0x14, 0, 0x0A, 0, 0x05, 0, 0x82, 0, 0x41, 0};
    HBITMAP pattern = CreateBitmap(8, 8, 1, 1, rows);
    HBRUSH reused_pattern = CreatePatternBrush(pattern);
    HBRUSH reused_hatch = CreateHatchBrush(HS_DIAGCROSS, 0x00FF00);
    struct Use {
        int x;
        int y;
        int width;
        COLORREF text;
        COLORREF back;
        POINT brush_origin;
    };
    const Use uses[] = {{0, 0, 9, 0x000000, 0xFFFFFF, {0, 0}}, {0, 0, 9, 0x0000FF, 0xFFFFFF, {0, 0}}, {3, 2, 9, 0x0000FF, 0xFFFFFF, {0, 0}},
                        {3, 2, 6, 0x0000FF, 0xFFFFFF, {0, 0}}, {3, 2, 6, 0x0000FF, 0x00FFFF, {0, 0}}, {3, 2, 6, 0x0000FF, 0x00FFFF, {2, 5}},
                        {5, 2, 6, 0x0000FF, 0x00FFFF, {2, 5}}, {5, 4, 6, 0x0000FF, 0x00FFFF, {2, 5}}};
    const std::map<COLORREF, char> legend{{0xFFFFFF, '.'}, {0x000000, '#'}, {0x0000FF, 'r'}, {0x00FFFF, 'y'}, {0x00FF00, 'g'}};
    for (const HBRUSH reused : {reused_pattern, reused_hatch}) {
        for (const Use& use : uses) {
            SCOPED_TRACE(testing::Message() << use.x << "," << use.y << " width " << use.width << " origin " << use.brush_origin.x);
            HBRUSH fresh = reused == reused_pattern ? CreatePatternBrush(pattern) : CreateHatchBrush(HS_DIAGCROSS, 0x00FF00);
            std::string maps[2];
            for (int i = 0; i < 2; ++i) {
                Gdi_Test_Surface surface(12, 11);
                SetTextColor(surface.dc, use.text);
                SetBkColor(surface.dc, use.back);
                SetBrushOrgEx(surface.dc, use.brush_origin.x, use.brush_origin.y, nullptr);
                Selected brush(surface.dc, i == 0 ? reused : fresh);
                PatBlt(surface.dc, use.x, use.y, use.width, 9, PATCOPY);
                maps[i] = surface.Map(legend);
            }
            EXPECT_EQ(maps[0], maps[1]);
            DeleteObject(fresh);
        }
    }
    DeleteObject(reused_pattern);
    DeleteObject(reused_hatch);
    DeleteObject(pattern);
}
