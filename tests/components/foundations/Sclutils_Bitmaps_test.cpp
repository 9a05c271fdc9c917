// Bitmap placement, transparency passes, masks, disabled and grey copies,
// pattern and texture fills.

#include "components/foundations/Sclutils.h"
#include "tests/support/Gui_Application.h"

#include "tests/support/Pixel_Map.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

const std::map<char, TColor> colors{{'.', clWhite}, {'#', clBlack}, {'r', clRed},    {'b', clBlue},
                                    {'g', clLime},  {'f', clFuchsia}, {'y', clYellow}, {'s', clSilver},
                                    {'d', clGray}};

// A bitmap painted from a picture, one character per pixel.
void Paint(TBitmap& bitmap, std::initializer_list<const char*> rows)
{
    const int h = static_cast<int>(rows.size());
    const int w = static_cast<int>(std::string(*rows.begin()).size());
    bitmap.SetSize(w, h);
    int y = 0;
    for (const char* row : rows) {
        for (int x = 0; x < w; ++x)
            bitmap.Canvas()->SetPixels(x, y, colors.at(row[x]));
        ++y;
    }
}

std::string Map(TBitmap& bitmap)
{
    return Pixel_Map(bitmap.Width(), bitmap.Height(), [&](int x, int y) {
        const TColor c = bitmap.Canvas()->Pixels(x, y);
        for (const auto& [ch, color] : colors)
            if (color == c)
                return ch;
        return '?';
    });
}

void Expect_Rect(const RECT& r, const RECT& expected)
{
    EXPECT_EQ(r.left, expected.left);
    EXPECT_EQ(r.top, expected.top);
    EXPECT_EQ(r.right, expected.right);
    EXPECT_EQ(r.bottom, expected.bottom);
}

class Sclutils_Bitmaps : public ::testing::Test {
protected:
    void SetUp() override { Ensure_Gui_Application(); }

    TCanvas* Surface(int w, int h, TColor fill = clWhite)
    {
        SCLBmpCreateFromRect(&surface, RECT{0, 0, w, h}, fill);
        return surface.Canvas();
    }

    TBitmap surface;
    TBitmap source;
};

TEST_F(Sclutils_Bitmaps, CentredSourceOverhangsASmallerDestination)
{
    Paint(source, {"bbbb", "brbb", "bbbb", "bbbb"});
    TCanvas* canvas = Surface(4, 4);
    RECT painted;
    SCLBmpDraw(canvas, RECT{0, 0, 2, 2}, &source, SCLBD_CENTER, 0, painted);
    Expect_Rect(painted, RECT{-1, -1, 3, 3});
    EXPECT_EQ(Map(surface), Picture({"rbb.", "bbb.", "bbb.", "...."}));
}

TEST_F(Sclutils_Bitmaps, TilesCoverTheDestinationAndOverhangIt)
{
    source.SetSize(10, 10);
    SCLBmpCreateFromRect(&source, RECT{0, 0, 10, 10}, clBlue);
    source.Canvas()->SetPixels(0, 0, clRed);
    TCanvas* canvas = Surface(32, 32);
    RECT painted;
    SCLBmpDraw(canvas, RECT{0, 0, 25, 25}, &source, SCLBD_TILE, 0, painted);
    Expect_Rect(painted, RECT{0, 0, 25, 25});
    int tiles = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            tiles += canvas->Pixels(x, y) == 0x0000FFu;
    EXPECT_EQ(tiles, 9);
    EXPECT_EQ(canvas->Pixels(29, 29), 0xFF0000u);
    EXPECT_EQ(canvas->Pixels(30, 30), 0xFFFFFFu);
}

TEST_F(Sclutils_Bitmaps, TilingAHugeDestinationDrawsWhatCanBeSeen)
{
    Paint(source, {"r"});
    TCanvas* canvas = Surface(3, 2);
    RECT painted;
    SCLBmpDraw(canvas, RECT{-1000000, -1000000, 1000000, 1000000}, &source, SCLBD_TILE, 0, painted);
    EXPECT_EQ(Map(surface), Picture({"rrr", "rrr"}));
}

TEST_F(Sclutils_Bitmaps, StretchModesKeepTheAskedProportions)
{
    Paint(source, {"rrbb", "rrbb"});
    const struct {
        WORD mode;
        RECT painted;
    } cases[] = {
        {SCLBD_STRETCH, {0, 0, 8, 8}},
        {SCLBD_STRETCH | SCLBD_KEEPASPECT, {0, 0, 8, 4}},
        {SCLBD_STRETCH | SCLBD_KEEPWIDTH, {0, 0, 8, 4}},
        {SCLBD_STRETCH | SCLBD_KEEPHEIGHT, {0, 0, 16, 8}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        TCanvas* canvas = Surface(8, 8);
        RECT painted;
        SCLBmpDraw(canvas, RECT{0, 0, 8, 8}, &source, c.mode, 0, painted);
        Expect_Rect(painted, c.painted);
        EXPECT_EQ(canvas->Pixels(0, c.painted.bottom - 1), 0x0000FFu);
        if (c.painted.right <= 8) {
            EXPECT_EQ(canvas->Pixels(c.painted.right - 1, c.painted.bottom - 1), 0xFF0000u);
        }
    }
    TCanvas* canvas = Surface(8, 8);
    RECT painted;
    SCLBmpDraw(canvas, RECT{0, 0, 8, 8}, &source, SCLBD_STRETCH | SCLBD_KEEPASPECT, 0, painted);
    EXPECT_EQ(canvas->Pixels(0, 4), 0xFFFFFFu);
}

TEST_F(Sclutils_Bitmaps, TransparentColourIsLeftOut)
{
    Paint(source, {"fff", "f#r", "fff"});
    TCanvas* canvas = Surface(3, 3, clLime);
    RECT painted;
    SCLBmpDraw(canvas, RECT{0, 0, 3, 3}, &source, SCLBD_TRANSPARENT, clFuchsia, painted);
    EXPECT_EQ(Map(surface), Picture({"ggg", "g#r", "ggg"}));
}

TEST_F(Sclutils_Bitmaps, CallerMaskIgnoresTheColoursLeftInTheDc)
{
    Paint(source, {"fff", "f#r", "fff"});
    TBitmap mask;
    TBitmap image;
    SCLBmpCreateMasks(&source, &mask, &image, clFuchsia);
    TCanvas* canvas = Surface(3, 3, clLime);
    HDC dc = canvas->Handle();
    SetTextColor(dc, 0x0000FF);
    SetBkColor(dc, 0xFF0000);
    RECT painted;
    SCLBmpDrawExt(canvas, RECT{0, 0, 3, 3}, image.Canvas(), RECT{0, 0, 3, 3}, SCLBD_MASK, clFuchsia, nullptr, &mask,
                  painted);
    EXPECT_EQ(Map(surface), Picture({"ggg", "g#r", "ggg"}));
    EXPECT_EQ(GetTextColor(dc), 0x0000FFu);
    EXPECT_EQ(GetBkColor(dc), 0xFF0000u);
}

TEST_F(Sclutils_Bitmaps, MasksAreWhiteWhereTransparentAndTheImageBlack)
{
    Paint(source, {"ff", "#r"});
    TBitmap mask;
    TBitmap image;
    SCLBmpCreateMasks(&source, &mask, &image, clFuchsia);
    EXPECT_EQ(Map(mask), Picture({"..", "##"}));
    EXPECT_EQ(Map(image), Picture({"##", "#r"}));
}

TEST_F(Sclutils_Bitmaps, BrushCopyPaintsTheBitmapsOwnTransparentColour)
{
    Paint(source, {"f#", "fr"}); // bottom-left pixel: the bitmap's transparent colour
    TCanvas* canvas = Surface(2, 2);
    RECT painted;
    SCLBmpDraw(canvas, RECT{0, 0, 2, 2}, &source, SCLBD_BRUSHCOPY, clYellow, painted);
    EXPECT_EQ(Map(surface), Picture({"y#", "yr"}));
}

TEST_F(Sclutils_Bitmaps, MaskBmpDrawLaysTheBitmapOverTheBackground)
{
    Paint(source, {"ff", "fr"});
    TBitmap back;
    Paint(back, {"bg", "gg"});
    TCanvas* canvas = Surface(2, 2);
    SCLMaskBmpDraw(canvas, RECT{0, 0, 2, 2}, &source, &back, clFuchsia, clLime);
    EXPECT_EQ(Map(surface), Picture({"b.", ".r"}));
    EXPECT_EQ(Map(source), Picture({"..", ".#"})); // left as its own mask
}

TEST_F(Sclutils_Bitmaps, ClipDrawKeepsToTheMovedDestination)
{
    Paint(source, {"rr", "rr"});
    TCanvas* canvas = Surface(6, 2);
    SCLBmpClipDraw(canvas, RECT{0, 0, 4, 2}, &source, SCLBD_TILE | SCLBD_CLIP, 2, 0);
    EXPECT_EQ(Map(surface), Picture({"..rrrr", "..rrrr"}));
    // The routine's clip is gone again.
    canvas->Brush()->SetColor(clBlue);
    canvas->FillRect(RECT{0, 0, 1, 1});
    EXPECT_EQ(canvas->Pixels(0, 0), 0xFF0000u);
}

TEST_F(Sclutils_Bitmaps, DisabledStateEmbossesTheDrawnPixels)
{
    Paint(source, {"ssss", "s#ss", "ssss", "ssss"});
    TBitmap target;
    SCLBmpDrawDisabledState(&target, &source, 0, 0);
    EXPECT_EQ(Map(target), Picture({"ssss", "sdss", "ss.s", "ssss"}));
}

TEST_F(Sclutils_Bitmaps, GrayscaleGradesByTheAverageAndKeepsTheCornerColour)
{
    Paint(source, {"f.#", "d.s", "s#d"});
    TBitmap target;
    SCLBmpCreateGrayscale(&target, &source);
    // Average 431: white and silver become light, grey shadow, black stays.
    EXPECT_EQ(Map(target), Picture({"fs#", "dss", "s#d"}));
}

TEST_F(Sclutils_Bitmaps, GrayscaleOfOnlyTheCornerColourIsACopy)
{
    Paint(source, {"ff", "ff"});
    TBitmap target;
    SCLBmpCreateGrayscale(&target, &source);
    EXPECT_EQ(Map(target), Picture({"ff", "ff"}));
}

TEST_F(Sclutils_Bitmaps, TextureStartsAtItsOrigin)
{
    Paint(source, {"rb", "br"});
    TCanvas* canvas = Surface(4, 3);
    SCLFillTexture(canvas->Handle(), RECT{0, 0, 3, 3}, &source, POINT{1, 0});
    EXPECT_EQ(Map(surface), Picture({"brb.", "rbr.", "brb."}));
    canvas = Surface(3, 2);
    SCLFillTexture(canvas->Handle(), RECT{0, 0, 3, 2}, &source, POINT{2, 3});
    EXPECT_EQ(Map(surface), Picture({"brb", "rbr"}));
    canvas = Surface(2, 1);
    SCLFillTexture(canvas->Handle(), RECT{0, 0, 2, 1}, &source, POINT{-1, 0});
    EXPECT_EQ(Map(surface), "..");
}

TEST_F(Sclutils_Bitmaps, PatternIsAndedIntoTheDestination)
{
    Paint(source, {"#.", ".."});
    TCanvas* canvas = Surface(3, 3, clRed);
    SCLFillPattern(canvas->Handle(), RECT{0, 0, 3, 2}, &source);
    EXPECT_EQ(Map(surface), Picture({"#r#", "rrr", "rrr"}));
}

TEST_F(Sclutils_Bitmaps, NothingDrawnWithoutABitmapOrARectangle)
{
    TCanvas* canvas = Surface(2, 2);
    RECT painted{1, 1, 2, 2};
    SCLBmpDraw(canvas, RECT{0, 0, 2, 2}, nullptr, 0, 0, painted);
    Expect_Rect(painted, RECT{});
    Paint(source, {"r"});
    SCLBmpDraw(canvas, RECT{0, 0, 0, 0}, &source, 0, 0, painted);
    EXPECT_EQ(Map(surface), Picture({"..", ".."}));
    TBitmap empty;
    SCLBmpCreateFromRect(&empty, RECT{0, 0, 0, 5}, clRed);
    EXPECT_TRUE(empty.Empty());
}

} // namespace
