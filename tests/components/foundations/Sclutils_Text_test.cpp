// Text measured and drawn with 3D effects, rotated text, the glyph-and-text
// layout, rectangle alignment and the string conversions.

#include "components/foundations/Sclutils.h"

#include "components/foundations/Sclbuttonlayout.h"
#include "tests/support/Gui_Application.h"

#include "platform/winapi/Gdi_Text.h"
#include "tests/support/Pixel_Map.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

void Expect_Rect(const RECT& r, const RECT& expected)
{
    EXPECT_EQ(r.left, expected.left);
    EXPECT_EQ(r.top, expected.top);
    EXPECT_EQ(r.right, expected.right);
    EXPECT_EQ(r.bottom, expected.bottom);
}

// Every pixel of a bitmap, for comparing two drawings.
std::vector<TColor> Pixels(TBitmap& bitmap)
{
    std::vector<TColor> pixels;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            pixels.push_back(bitmap.Canvas()->Pixels(x, y));
    return pixels;
}

class Sclutils_Text : public ::testing::Test {
protected:
    void SetUp() override
    {
        Ensure_Gui_Application();
        font.SetName("Arial");
        font.SetHeight(-12);
        font.SetColor(clBlack);
    }

    // The extent DrawText measures for a text in the font, single line.
    SIZE Plain_Size(const std::string& text)
    {
        TBitmap b;
        b.SetSize(1, 1);
        b.Canvas()->Font()->Assign(&font);
        return b.Canvas()->TextExtent(text);
    }

    void Blank(TBitmap& b, int w, int h)
    {
        SCLBmpCreateFromRect(&b, RECT{0, 0, w, h}, clWhite);
        b.Canvas()->Font()->Assign(&font);
    }

    TFont font;
};

TEST(Sclutils_Align, RectanglesTakeTheirColumnAndRow)
{
    Expect_Rect(SCLAlignRect(agBottomRight, RECT{0, 0, 10, 10}, RECT{0, 0, 100, 50}), RECT{90, 40, 100, 50});
    Expect_Rect(SCLAlignRect(agCenter, RECT{0, 0, 5, 5}, RECT{0, 0, 10, 10}), RECT{2, 2, 7, 7});
    Expect_Rect(SCLAlignRect(agTopCenter, RECT{3, 3, 7, 5}, RECT{10, 10, 20, 20}), RECT{13, 10, 17, 12});
    Expect_Rect(SCLAlignRect(agCenterLeft, RECT{0, 0, 4, 4}, RECT{10, 10, 20, 21}), RECT{10, 13, 14, 17});
    Expect_Rect(SCLAlignRect(agBottomLeft, RECT{0, 0, 4, 4}, RECT{0, 0, 2, 2}), RECT{0, -2, 4, 2});
}

TEST_F(Sclutils_Text, MeasuredSizeAddsTheEffectAndTheBorder)
{
    const SIZE plain = Plain_Size("Text");
    TSCL3DCaption raised;
    raised.SetStyle(tdRaised);
    TSCL3DCaption extrude;
    extrude.SetStyle(tdExtrude);
    extrude.SetShadowDepth(3);
    TSCL3DCaption double_shadow;
    double_shadow.SetStyle(tdSunkenShadow);
    double_shadow.SetLightDepth(2);
    const struct {
        TSCL3DCaption* caption;
        int border;
        int extra;
    } cases[] = {{nullptr, 0, 2}, {&raised, 0, 3}, {&raised, 1, 5}, {&extrude, 0, 5}, {&double_shadow, 0, 5}};
    for (const auto& c : cases) {
        RECT r{5, 5, 200, 100};
        SCLDrawTextCalc("Text", c.caption, r, &font, false, true, c.border, 0);
        EXPECT_EQ(r.left, 5);
        EXPECT_EQ(r.right - r.left, plain.cx + c.extra);
        EXPECT_EQ(r.bottom - r.top, plain.cy + c.extra);
    }
}

TEST_F(Sclutils_Text, EmptyTextMeasuresOneLine)
{
    RECT empty{0, 0, 100, 100};
    SCLDrawTextCalc("", nullptr, empty, &font, false, true, 0, 0);
    RECT amp{0, 0, 100, 100};
    SCLDrawTextCalc("&", nullptr, amp, &font, false, true, 0, 0);
    EXPECT_EQ(empty.bottom, Plain_Size(" ").cy + 2);
    EXPECT_EQ(amp.bottom, empty.bottom);
    EXPECT_EQ(amp.right, empty.right);
}

TEST_F(Sclutils_Text, FlagsGivenTwiceDoNotCarryIntoAnother)
{
    // DT_WORDBREAK given by the caller and added for MultiLine: summed,
    // they would make DT_SINGLELINE and one line.
    const int word = Plain_Size("Word").cx;
    RECT r{0, 0, word + 4, 200};
    SCLDrawTextCalc("Word Word", nullptr, r, &font, true, true, 0, DT_WORDBREAK);
    EXPECT_EQ(r.bottom, 2 * Plain_Size("Word").cy + 2);
}

TEST_F(Sclutils_Text, AlignTextRectPlacesTheMeasuredBlock)
{
    const SIZE plain = Plain_Size("Hi");
    const RECT target{10, 10, 110, 60};
    const RECT r = SCLAlignTextRect(agBottomRight, "Hi", nullptr, target, &font, false, true, 0);
    Expect_Rect(r, RECT{110 - plain.cx - 2, 60 - plain.cy - 2, 110, 60});
}

TEST_F(Sclutils_Text, TextWidthAndHeightQueries)
{
    TSCL3DCaption shadow;
    shadow.SetStyle(tdShadow);
    shadow.SetShadowDepth(2);
    EXPECT_EQ(SCLGet3DTextWidth("Text", &shadow, &font), Plain_Size("Text").cx + 2);
    EXPECT_EQ(SCLGet3DTextWidth("Text", nullptr, &font), 0);
    shadow.SetTracing(3);
    EXPECT_EQ(SCLGet3DTextWidth("Text", &shadow, &font), Plain_Size("Text").cx + 2 + 4 * 3);
    EXPECT_EQ(SCLGetFontHeight(&font), Plain_Size("W").cy);
    EXPECT_EQ(SCLGet3DTextHeight(&shadow, &font), Plain_Size("W").cy + 2);
}

// Each effect is the plain text drawn at its offsets in its colours, in order.
TEST_F(Sclutils_Text, EffectsDrawTheirCopiesAtTheirOffsets)
{
    struct Copy {
        int dx;
        int dy;
        TColor color;
    };
    struct Case {
        TSCLThreeDStyle style;
        TSCLThreeDOrientation orientation;
        TSCLDrawTextStyles styles;
        std::vector<Copy> copies;
    };
    const Case cases[] = {
        {tdRaised, toTopLeft, {dtEnabled}, {{0, 0, clRed}, {1, 1, clBlack}}},
        {tdSunken, toTopLeft, {dtEnabled}, {{1, 1, clRed}, {0, 0, clBlack}}},
        {tdShadow, toTopLeft, {dtEnabled}, {{2, 2, clBlue}, {0, 0, clBlack}}},
        {tdRaisedShadow, toTopLeft, {dtEnabled}, {{3, 3, clBlue}, {0, 0, clRed}, {1, 1, clBlack}}},
        {tdExtrude, toTopLeft, {dtEnabled}, {{0, 0, clBlue}, {1, 1, clBlue}, {2, 2, clBlack}}},
        {tdExtrude, toBottomRight, {dtEnabled}, {{3, 3, clBlue}, {2, 2, clBlue}, {1, 1, clBlack}}},
        // Disabled with the 3D look: sunken grey whatever the style.
        {tdNone, toTopLeft, {dtDisabled, dt3DDisabled}, {{1, 1, clRed}, {0, 0, clGrayText}}},
        {tdNone, toTopLeft, {dtDisabled}, {{0, 0, clGrayText}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.style << "/" << c.orientation);
        TSCL3DCaption caption;
        caption.SetStyle(c.style);
        caption.SetOrientation(c.orientation);
        caption.SetLightColor(clRed);
        caption.SetShadowColor(clBlue);
        caption.SetShadowDepth(2);
        TBitmap drawn;
        Blank(drawn, 40, 24);
        SCLDrawTextExt(drawn.Canvas(), "Ag", &caption, RECT{2, 2, 40, 24}, DT_NOCLIP, c.styles);
        TBitmap expected;
        Blank(expected, 40, 24);
        HDC dc = expected.Canvas()->Handle();
        SetBkMode(dc, TRANSPARENT);
        for (const Copy& copy : c.copies) {
            SetTextColor(dc, ColorToRGB(copy.color));
            RECT r{2 + copy.dx, 2 + copy.dy, 40, 24};
            DrawTextA(dc, "Ag", 2, &r, DT_NOCLIP);
        }
        EXPECT_EQ(Pixels(drawn), Pixels(expected));
    }
}

TEST_F(Sclutils_Text, DrawingLeavesTheDcAsItWas)
{
    TSCL3DCaption caption;
    caption.SetStyle(tdRaised);
    caption.SetTracing(2);
    TBitmap b;
    Blank(b, 30, 20);
    HDC dc = b.Canvas()->Handle();
    SetTextColor(dc, 0x123456);
    SCLDrawTextExt(b.Canvas(), "Ag", &caption, RECT{0, 0, 30, 20}, 0, {dtEnabled, dtClip});
    EXPECT_EQ(GetTextColor(dc), 0x123456u);
    EXPECT_EQ(GetTextCharacterExtra(dc), 0);
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    RECT box;
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    Expect_Rect(box, RECT{0, 0, 30, 20});
}

TEST_F(Sclutils_Text, RotatedTextPutsTheCallersFontBack)
{
    TSCLFxCaption caption;
    caption.SetAngle(90);
    TBitmap b;
    Blank(b, 40, 40);
    TCanvas* canvas = b.Canvas();
    HFONT own = canvas->Font()->Handle();
    canvas->Handle();
    RECT measured{0, 0, 40, 40};
    SCLDrawTextCalc("Ag", &caption, measured, &font, false, true, 0, 0);
    SCLDrawTextExt(canvas, "Ag", &caption, RECT{0, 0, 40, 40}, 0, {dtEnabled});
    EXPECT_EQ(GetCurrentObject(canvas->Handle(), OBJ_FONT), own);
    int inked = 0;
    for (TColor c : Pixels(b))
        inked += c != 0xFFFFFFu;
    EXPECT_GT(inked, 0);
}

TEST_F(Sclutils_Text, MeasuringRotatedTextPlacesItAndTellsTheOwner)
{
    TSCLFxCaption caption;
    caption.SetAngle(90);
    int changes = 0;
    caption.OnChange = [&](TObject*) { ++changes; };
    const SIZE plain = Plain_Size("Text");
    RECT r{0, 0, 100, 100};
    SCLDrawTextCalc("Text", &caption, r, &font, false, true, 0, 0);
    // Turned a quarter: as wide as the text is high, and the other way round.
    EXPECT_NEAR(r.right - r.left, plain.cy + 2, 1);
    EXPECT_NEAR(r.bottom - r.top, plain.cx + 2, 1);
    EXPECT_NEAR(caption.PosY(), plain.cx, 2);
    EXPECT_LE(caption.PosX(), 1);
    EXPECT_GE(changes, 1);

    // Unrotated again: the position is reset without telling anyone.
    caption.SetAngle(0);
    changes = 0;
    SCLDrawTextCalc("Text", &caption, r, &font, false, true, 0, 0);
    EXPECT_EQ(caption.PosX(), 0);
    EXPECT_EQ(caption.PosY(), 0);
    EXPECT_EQ(changes, 0);
}

class Sclutils_Glyph_Layout : public Sclutils_Text {
protected:
    void SetUp() override
    {
        Sclutils_Text::SetUp();
        SCLBmpCreateFromRect(&glyph, RECT{0, 0, 16, 12}, clRed);
        Blank(target, 100, 50);
    }

    TSCLGlyphTextRects Layout(const std::string& text, const TSCLGlyphTextLayout& layout,
                              TSCLDrawTextStyles styles, RECT& focus)
    {
        focus = RECT{0, 0, 16, 12};
        return SCLDrawTextAndGlyphExt(target.Canvas(), text, nullptr, RECT{0, 0, 100, 50}, glyph.Canvas(), focus,
                                      nullptr, clNone, layout, false, true, false, styles, 0);
    }

    TBitmap glyph;
    TBitmap target;
};

TEST_F(Sclutils_Glyph_Layout, ArrangementsPlaceTextAndGlyphAroundEachOther)
{
    const SIZE t = Plain_Size("Ab");
    const int tw = t.cx + 2;
    const int th = t.cy + 2;
    const int bh = std::max(th, 12);
    const int bw = std::max(tw, 16);
    const struct {
        TSCLTextArrange arrange;
        RECT text;
        RECT glyph;
    } cases[] = {
        {taRight, {18, (bh - th) / 2, 18 + tw, (bh - th) / 2 + th}, {0, (bh - 12) / 2, 16, (bh - 12) / 2 + 12}},
        {taLeft, {0, (bh - th) / 2, tw, (bh - th) / 2 + th}, {tw + 2, (bh - 12) / 2, tw + 18, (bh - 12) / 2 + 12}},
        {taLeftTop, {0, (bh - th) / 2, tw, (bh - th) / 2 + th}, {tw + 2, 0, tw + 18, 12}},
        {taTop, {(bw - tw) / 2, 0, (bw - tw) / 2 + tw, th}, {(bw - 16) / 2, th + 2, (bw - 16) / 2 + 16, th + 14}},
        {taBottomLeft, {(bw - tw) / 2, 14, (bw - tw) / 2 + tw, 14 + th}, {0, 0, 16, 12}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arrange);
        TSCLGlyphTextLayout layout;
        layout.SetAlignText2Glyph(c.arrange);
        RECT focus;
        const TSCLGlyphTextRects r = Layout("Ab", layout, {dtAutoSize, dtCalculate}, focus);
        Expect_Rect(r.Text, c.text);
        Expect_Rect(r.Glyph, c.glyph);
    }
}

TEST_F(Sclutils_Glyph_Layout, BlockIsAlignedInTheDestination)
{
    const SIZE t = Plain_Size("Ab");
    const int tw = t.cx + 2;
    const int th = t.cy + 2;
    const int bw = 16 + 2 + tw;
    const int bh = std::max(th, 12);
    TSCLGlyphTextLayout layout;
    layout.SetAlignment(agBottomRight);
    layout.SetOffset(0, 1);
    RECT focus;
    const TSCLGlyphTextRects r = Layout("Ab", layout, {dtEnabled, dtRectGlyphText}, focus);
    const int left = 100 - bw + 1;
    const int top = 50 - bh;
    Expect_Rect(r.Glyph, RECT{left, top + (bh - 12) / 2, left + 16, top + (bh - 12) / 2 + 12});
    Expect_Rect(r.Text, RECT{left + 18 + 1, top + (bh - th) / 2 + 1, left + 18 + 1 + tw, top + (bh - th) / 2 + 1 + th});
    Expect_Rect(focus, RECT{r.Union.left - 1, r.Union.top - 1, r.Union.right + 1, r.Union.bottom + 1});
    // The glyph is drawn where it was laid out.
    EXPECT_EQ(target.Canvas()->Pixels(r.Glyph.left, r.Glyph.top), 0x0000FFu);
    EXPECT_EQ(target.Canvas()->Pixels(r.Glyph.left - 1, r.Glyph.top), 0xFFFFFFu);
}

TEST_F(Sclutils_Glyph_Layout, GlyphAloneHasNoSpacing)
{
    TSCLGlyphTextLayout layout;
    layout.SetAlignment(agCenter);
    layout.SetSpacing(7);
    RECT focus;
    const TSCLGlyphTextRects r = Layout("", layout, {dtEnabled, dtRectGlyph}, focus);
    Expect_Rect(r.Glyph, RECT{42, 19, 58, 31});
    Expect_Rect(r.Union, r.Glyph);
    Expect_Rect(focus, r.Glyph);
}

TEST_F(Sclutils_Glyph_Layout, ArrowRoomWidensTheText)
{
    const SIZE t = Plain_Size("Ab");
    TSCLButtonLayout layout;
    layout.SetArrow(true);
    layout.SetArrowSize(3);
    layout.SetInteger(0, 3);
    RECT focus;
    const TSCLGlyphTextRects r = Layout("Ab", layout, {dtAutoSize, dtCalculate}, focus);
    EXPECT_EQ(r.Text.right - r.Text.left, t.cx + 2 + 5 + 3);
    layout.SetArrowPosition(apRightGlyph);
    const TSCLGlyphTextRects g = Layout("Ab", layout, {dtAutoSize, dtCalculate}, focus);
    EXPECT_EQ(g.Glyph.right - g.Glyph.left, 16 + 8);
}

TEST_F(Sclutils_Glyph_Layout, TransparentGlyphLeavesItsColourOut)
{
    TBitmap small;
    SCLBmpCreateFromRect(&small, RECT{0, 0, 2, 2}, clFuchsia);
    small.Canvas()->SetPixels(1, 0, clBlue);
    RECT glyph_rect{0, 0, 2, 2};
    TSCLGlyphTextLayout layout;
    SCLDrawTextAndGlyphExt(target.Canvas(), "", nullptr, RECT{0, 0, 2, 2}, small.Canvas(), glyph_rect, nullptr,
                           clFuchsia, layout, false, true, true, {dtEnabled}, 0);
    EXPECT_EQ(target.Canvas()->Pixels(0, 0), 0xFFFFFFu);
    EXPECT_EQ(target.Canvas()->Pixels(1, 0), 0xFF0000u);
}

TEST(Sclutils_Convert, PointsAndRectanglesRoundTrip)
{
    EXPECT_EQ(SCLPointToString(POINT{10, 20}), "[10,20]");
    const POINT p = SCLStringToPoint("[10,20]");
    EXPECT_EQ(p.x, 10);
    EXPECT_EQ(p.y, 20);
    const POINT bare = SCLStringToPoint(" 7 , -3 ");
    EXPECT_EQ(bare.x, 7);
    EXPECT_EQ(bare.y, -3);
    EXPECT_EQ(SCLStringToPoint("12").x, 0);

    EXPECT_EQ(SCLRectToString(RECT{1, 2, 3, 4}), "1,2,3,4");
    Expect_Rect(SCLStringToRect("1,2,3,4"), RECT{1, 2, 3, 4});
    Expect_Rect(SCLStringToRect("1,2,3"), RECT{});
    Expect_Rect(SCLStringToRect("1,x,3,4"), RECT{1, 0, 3, 4});
}

TEST(Sclutils_Convert, SeparatorIsSharedByEveryConversion)
{
    SCLSetListSeparator(';');
    EXPECT_EQ(SCLPointToString(POINT{1, 2}), "[1;2]");
    EXPECT_EQ(SCLRectToString(RECT{1, 2, 3, 4}), "1;2;3;4");
    SCLSetListSeparator(',');
}

TEST(Sclutils_Convert, ParseKeepsEmptyPiecesButNoTrailingOne)
{
    TStringList list;
    SCLParseToStrList("a,,b,", ',', &list);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list[0], "a");
    EXPECT_EQ(list[1], "");
    EXPECT_EQ(list[2], "b");
    SCLParseToStrList("", ',', &list);
    EXPECT_EQ(list.Count(), 0);
}

TEST(Sclutils_Convert, DividersIncludeTheRootOfASquare)
{
    auto divisors = [](int n) {
        TStringList list;
        SCLGetDivider(&list, n);
        std::string joined;
        for (int i = 0; i < list.Count(); ++i)
            joined += list[i] + " ";
        return joined;
    };
    EXPECT_EQ(divisors(12), "1 2 3 4 6 12 ");
    EXPECT_EQ(divisors(16), "1 2 4 8 16 ");
    EXPECT_EQ(divisors(4), "1 2 4 ");
    EXPECT_EQ(divisors(7), "1 7 ");
    EXPECT_EQ(divisors(1), "");
}

TEST(Sclutils_Convert, FontsRoundTripAndBadFlagsRaise)
{
    Ensure_Gui_Application();
    TFont font;
    font.SetName("Arial");
    font.SetSize(12);
    font.SetColor(clRed);
    font.SetStyle(TFontStyles{fsBold, fsUnderline});
    const std::string text = SCLFontToString(&font);
    EXPECT_EQ(text, "Arial,12,clRed,1,0,1,0");
    TFont copy;
    SCLStringToFont(text, &copy);
    EXPECT_EQ(copy.Name(), "Arial");
    EXPECT_EQ(copy.Size(), 12);
    EXPECT_EQ(copy.Color(), clRed);
    EXPECT_TRUE(copy.Style() == (TFontStyles{fsBold, fsUnderline}));

    SCLStringToFont("Courier,x,clBlue,0,0,0,0", &copy);
    EXPECT_EQ(copy.Size(), 10);
    SCLStringToFont("Tahoma,9,clBlue", &copy);
    EXPECT_EQ(copy.Name(), "Courier");
    EXPECT_THROW(SCLStringToFont("Tahoma,9,clBlue,1,z,0,0", &copy), EConvertError);
    EXPECT_EQ(copy.Name(), "Courier");
}

} // namespace
