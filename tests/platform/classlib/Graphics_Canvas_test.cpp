#include "platform/classlib/Graphics.h"
#include "tests/support/Gui_Application.h"

#include "platform/winapi/Gdi_Text.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class Graphics_Canvas_Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        Ensure_Gui_Application();
        bitmap.SetSize(40, 30);
        bitmap.Canvas()->Brush()->SetColor(clWhite);
        bitmap.Canvas()->FillRect(RECT{0, 0, 40, 30});
    }
    TCanvas* Canvas() { return bitmap.Canvas(); }
    // The bounding box of the pixels of one colour.
    RECT Box_Of(TColor color)
    {
        RECT box{1000, 1000, -1, -1};
        for (int y = 0; y < bitmap.Height(); ++y)
            for (int x = 0; x < bitmap.Width(); ++x)
                if (Canvas()->Pixels(x, y) == color) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
        return box;
    }

    TBitmap bitmap;
};

TEST_F(Graphics_Canvas_Test, SelectingFontBrushAndPenSetsTheContextColours)
{
    Canvas()->Font()->SetColor(clRed);
    Canvas()->Brush()->SetColor(clBtnFace);
    Canvas()->Pen()->SetMode(pmXor);
    HDC dc = Canvas()->Handle();
    EXPECT_EQ(GetTextColor(dc), 0x0000FFu);
    EXPECT_EQ(GetBkColor(dc), 0xC0C0C0u);
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetROP2(dc), R2_XORPEN);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), Canvas()->Font()->Handle());
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), Canvas()->Brush()->Handle());

    // A change is selected again the next time the context is used.
    Canvas()->Brush()->SetStyle(bsClear);
    Canvas()->Font()->SetColor(clBlue);
    dc = Canvas()->Handle();
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    EXPECT_EQ(GetTextColor(dc), 0xFF0000u);
}

TEST_F(Graphics_Canvas_Test, ShapesReachThePixels)
{
    Canvas()->Brush()->SetColor(clRed);
    Canvas()->FillRect(RECT{2, 3, 7, 9});
    EXPECT_EQ(Box_Of(clRed), (RECT{2, 3, 7, 9}));

    Canvas()->Pen()->SetColor(clBlack);
    Canvas()->Brush()->SetColor(clLime);
    Canvas()->Rectangle(10, 10, 20, 16);
    EXPECT_EQ(Box_Of(clLime), (RECT{11, 11, 19, 15}));
    EXPECT_EQ(Canvas()->Pixels(10, 10), clBlack);
    EXPECT_EQ(Canvas()->Pixels(19, 15), clBlack);

    Canvas()->SetPixels(30, 25, clBtnShadow);
    EXPECT_EQ(Canvas()->Pixels(30, 25), 0x808080u);
}

TEST_F(Graphics_Canvas_Test, TextOutPaintsTheBrushBehindTheTextAndMovesThePen)
{
    Canvas()->Brush()->SetColor(clYellow);
    Canvas()->Font()->SetColor(clBlack);
    SIZE size = Canvas()->TextExtent("Ab");
    ASSERT_GT(size.cx, 0);
    EXPECT_EQ(Canvas()->TextWidth("Ab"), size.cx);
    EXPECT_EQ(Canvas()->TextHeight("Ab"), size.cy);
    Canvas()->TextOut(3, 4, "Ab");
    RECT yellow = Box_Of(clYellow);
    EXPECT_EQ(yellow, (RECT{3, 4, 3 + size.cx, 4 + size.cy}));
    EXPECT_EQ(Canvas()->PenPos().x, 3 + size.cx);

    // A clear brush leaves the background alone.
    bitmap.Canvas()->Brush()->SetColor(clWhite);
    Canvas()->FillRect(RECT{0, 0, 40, 30});
    Canvas()->Brush()->SetStyle(bsClear);
    Canvas()->TextOut(3, 4, "Ab");
    EXPECT_EQ(Box_Of(clYellow).right, -1);
}

TEST_F(Graphics_Canvas_Test, TextRectClipsToItsRectangle)
{
    Canvas()->Brush()->SetColor(clAqua);
    Canvas()->TextRect(RECT{5, 5, 12, 12}, 5, 5, "Wide text");
    EXPECT_EQ(Box_Of(clAqua), (RECT{5, 5, 12, 12}));
    for (int x = 12; x < 40; ++x)
        EXPECT_EQ(Canvas()->Pixels(x, 7), clWhite);
}

TEST_F(Graphics_Canvas_Test, CopyRectAndDrawMoveBitmaps)
{
    TBitmap source;
    source.SetSize(4, 4);
    source.Canvas()->Brush()->SetColor(clBlue);
    source.Canvas()->FillRect(RECT{0, 0, 4, 4});
    Canvas()->CopyRect(RECT{10, 10, 18, 18}, source.Canvas(), RECT{0, 0, 4, 4});
    EXPECT_EQ(Box_Of(clBlue), (RECT{10, 10, 18, 18}));

    source.Canvas()->Brush()->SetColor(clRed);
    source.Canvas()->FillRect(RECT{1, 1, 3, 3});
    Canvas()->Draw(30, 20, &source);
    EXPECT_EQ(Box_Of(clRed), (RECT{31, 21, 33, 23}));
}

TEST_F(Graphics_Canvas_Test, BrushCopyPaintsTheChosenColourWithTheBrush)
{
    TBitmap glyph;
    glyph.SetSize(4, 3);
    glyph.Canvas()->Brush()->SetColor(clFuchsia);
    glyph.Canvas()->FillRect(RECT{0, 0, 4, 3});
    glyph.Canvas()->SetPixels(1, 1, clNavy);
    glyph.Canvas()->SetPixels(2, 1, clNavy);

    Canvas()->Brush()->SetColor(clBtnFace);
    Canvas()->BrushCopy(RECT{5, 6, 9, 9}, &glyph, RECT{0, 0, 4, 3}, clFuchsia);
    EXPECT_EQ(Box_Of(clFuchsia).right, -1);
    EXPECT_EQ(Box_Of(clNavy), (RECT{6, 7, 8, 8}));
    EXPECT_EQ(Canvas()->Pixels(5, 6), 0xC0C0C0u);
    EXPECT_EQ(Canvas()->Pixels(8, 8), 0xC0C0C0u);
    EXPECT_EQ(Canvas()->Pixels(9, 8), clWhite);
}

TEST_F(Graphics_Canvas_Test, ClipRectIsTheDrawableArea)
{
    EXPECT_EQ(Canvas()->ClipRect(), (RECT{0, 0, 40, 30}));
    IntersectClipRect(Canvas()->Handle(), 5, 5, 10, 10);
    EXPECT_EQ(Canvas()->ClipRect(), (RECT{5, 5, 10, 10}));
}

TEST(Graphics_Canvas, WithoutAContextDrawingRaises)
{
    TCanvas canvas;
    EXPECT_THROW(canvas.FillRect(RECT{0, 0, 1, 1}), EInvalidGraphicOperation);
    canvas.Lock();
    EXPECT_EQ(canvas.LockCount(), 1);
    canvas.Unlock();
    EXPECT_EQ(canvas.LockCount(), 0);
}

} // namespace
