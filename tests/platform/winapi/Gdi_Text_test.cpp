#include "platform/winapi/Gdi_Text.h"
#include "tests/support/Gui_Application.h"

#include "platform/winapi/Gdi_Dc.h"

#include <QImage>

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

constexpr QRgb white = 0xFFFFFFFF;

class Gdi_Text_Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        Ensure_Gui_Application();
        image.fill(white);
        dc = Create_Image_DC(&image);
        ASSERT_NE(dc, nullptr);
        Use_Font(-16, "Arial");
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
    }
    void TearDown() override
    {
        DeleteDC(dc);
        DeleteObject(font);
    }

    void Use_Font(int height, const char* face, int escapement = 0)
    {
        HFONT previous = font;
        font = CreateFontA(height, 0, escapement, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
        SelectObject(dc, font);
        if (previous)
            DeleteObject(previous);
    }

    SIZE Extent(const std::string& text)
    {
        SIZE size;
        EXPECT_TRUE(GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size));
        return size;
    }
    TEXTMETRICA Metrics()
    {
        TEXTMETRICA tm;
        EXPECT_TRUE(GetTextMetricsA(dc, &tm));
        return tm;
    }
    RECT Calc(const std::string& text, RECT rect, UINT format)
    {
        DrawTextA(dc, text.c_str(), -1, &rect, format | DT_CALCRECT);
        return rect;
    }
    // The bounding box of every pixel that is not white; empty when none.
    QRect Ink() const
    {
        QRect box;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != white)
                    box |= QRect(x, y, 1, 1);
        return box;
    }

    QImage image{240, 120, QImage::Format_RGB32};
    HDC dc = nullptr;
    HFONT font = nullptr;
};

TEST_F(Gdi_Text_Test, MetricsFollowTheLogicalHeight)
{
    TEXTMETRICA em = Metrics();
    EXPECT_EQ(em.tmHeight, em.tmAscent + em.tmDescent);
    EXPECT_EQ(em.tmInternalLeading, em.tmHeight - 16);
    EXPECT_GT(em.tmAveCharWidth, 0);
    EXPECT_TRUE(em.tmPitchAndFamily & TMPF_TRUETYPE);

    Use_Font(20, "Arial"); // a positive height is the cell height
    TEXTMETRICA cell = Metrics();
    EXPECT_LE(cell.tmHeight, 20);
    EXPECT_GE(cell.tmHeight, 18);

    Use_Font(-11, "MS Sans Serif"); // a raster font on Windows: no TrueType bit
    EXPECT_FALSE(Metrics().tmPitchAndFamily & TMPF_TRUETYPE);

    Use_Font(std::numeric_limits<int>::min(), "Arial"); // absurd heights are bounded
    EXPECT_GT(Metrics().tmHeight, 0);
    EXPECT_LT(Metrics().tmHeight, 4096);
}

TEST_F(Gdi_Text_Test, ExtentIsTheSumOfCharacterWidthsPlusExtra)
{
    INT widths[3] = {};
    ASSERT_TRUE(GetCharWidth32A(dc, 'a', 'c', widths));
    SIZE plain = Extent("abc");
    EXPECT_EQ(plain.cx, widths[0] + widths[1] + widths[2]);
    EXPECT_EQ(plain.cy, Metrics().tmHeight);

    SetTextCharacterExtra(dc, 3);
    EXPECT_EQ(Extent("abc").cx, plain.cx + 9);
}

TEST_F(Gdi_Text_Test, CalcRectOfOneLineIsItsExtent)
{
    SIZE size = Extent("Camera 1");
    RECT calc = Calc("Camera 1", RECT{10, 20, 15, 25}, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    EXPECT_EQ(calc, (RECT{10, 20, 10 + size.cx, 20 + size.cy}));
    EXPECT_EQ(Calc("", RECT{10, 20, 100, 100}, 0), (RECT{10, 20, 10, 20}));
}

TEST_F(Gdi_Text_Test, WordBreakWrapsAtSpacesAndWidensForLongWords)
{
    int line = Metrics().tmHeight;
    int two_words = Extent("alpha beta").cx;
    RECT calc = Calc("alpha beta gamma", RECT{0, 0, two_words + 2, 0}, DT_WORDBREAK);
    EXPECT_EQ(calc.bottom, 2 * line);
    EXPECT_EQ(calc.right, two_words);

    int long_word = Extent("Supervision").cx;
    calc = Calc("Supervision of cameras", RECT{0, 0, 10, 0}, DT_WORDBREAK);
    EXPECT_EQ(calc.right, long_word);
    EXPECT_EQ(calc.bottom, 3 * line);

    // Line breaks always start new lines, except on a single line.
    EXPECT_EQ(Calc("one\r\ntwo\nthree", RECT{0, 0, 200, 0}, 0).bottom, 3 * line);
    EXPECT_EQ(Calc("one\r\ntwo", RECT{0, 0, 200, 0}, DT_SINGLELINE).bottom, line);
}

TEST_F(Gdi_Text_Test, PrefixUnderlinesAndDoubledAmpersandIsLiteral)
{
    RECT rect{0, 0, 200, 50};
    EXPECT_EQ(Calc("&File", rect, DT_SINGLELINE).right, Extent("File").cx);
    EXPECT_EQ(Calc("A&&B", rect, DT_SINGLELINE).right, Extent("A&B").cx);
    EXPECT_EQ(Calc("&File", rect, DT_SINGLELINE | DT_NOPREFIX).right, Extent("&File").cx);

    DrawTextA(dc, "File", -1, &rect, DT_SINGLELINE);
    QRect plain = Ink();
    image.fill(white);
    DrawTextA(dc, "&File", -1, &rect, DT_SINGLELINE);
    QRect underlined = Ink();
    EXPECT_GT(underlined.bottom(), Metrics().tmAscent);
    EXPECT_GT(underlined.bottom(), plain.bottom());
}

TEST_F(Gdi_Text_Test, EndEllipsisKeepsTheLongestFittingStart)
{
    const std::string text = "Wireless camera link";
    int avail = Extent(text).cx / 2;
    std::string expected;
    for (std::size_t n = 0; n <= text.size(); ++n)
        if (Extent(text.substr(0, n) + "...").cx <= avail)
            expected = text.substr(0, n) + "...";
    RECT calc = Calc(text, RECT{0, 0, avail, 40}, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_EQ(calc.right, Extent(expected).cx);
    EXPECT_LE(calc.right, avail);

    // A text that fits is left alone.
    EXPECT_EQ(Calc("Wire", RECT{0, 0, avail, 40}, DT_SINGLELINE | DT_END_ELLIPSIS).right, Extent("Wire").cx);
}

TEST_F(Gdi_Text_Test, PathEllipsisKeepsTheFileName)
{
    const std::string head = "C:\\Program Files\\Quorvale";
    const std::string tail = "\\Ordexia.txt";
    int avail = Extent("C:\\Pro..." + tail).cx + 1;
    std::string expected;
    for (std::size_t n = 0; n <= head.size(); ++n)
        if (Extent(head.substr(0, n) + "..." + tail).cx <= avail)
            expected = head.substr(0, n) + "..." + tail;
    RECT calc = Calc(head + tail, RECT{0, 0, avail, 40}, DT_SINGLELINE | DT_PATH_ELLIPSIS);
    EXPECT_EQ(calc.right, Extent(expected).cx);
}

struct Placement_Case {
    UINT format;
    int expected_left;   // -1: not checked
    int expected_right;  // -1: not checked
    int expected_top;    // cell top, -1: not checked
};

TEST_F(Gdi_Text_Test, AlignmentPlacesTheInkedText)
{
    const RECT rect{20, 10, 220, 110};
    SIZE size = Extent("HH");
    int cell_top_vcenter = rect.top + (100 - size.cy) / 2;
    int cell_top_bottom = rect.bottom - size.cy;
    const Placement_Case cases[] = {
        {DT_SINGLELINE, rect.left, -1, rect.top},
        {DT_SINGLELINE | DT_RIGHT, -1, rect.right, rect.top},
        {DT_SINGLELINE | DT_CENTER | DT_VCENTER, rect.left + (200 - size.cx) / 2, -1, cell_top_vcenter},
        {DT_SINGLELINE | DT_RIGHT | DT_BOTTOM, -1, rect.right, cell_top_bottom},
    };
    int ascent = Metrics().tmAscent;
    for (const Placement_Case& c : cases) {
        SCOPED_TRACE(c.format);
        image.fill(white);
        RECT r = rect;
        DrawTextA(dc, "HH", -1, &r, c.format);
        QRect ink = Ink();
        ASSERT_FALSE(ink.isEmpty());
        // 'H' has no descender: its ink ends on the row above the baseline.
        EXPECT_EQ(ink.bottom(), c.expected_top + ascent - 1);
        if (c.expected_left >= 0) {
            EXPECT_GE(ink.left(), c.expected_left);
            EXPECT_LE(ink.left(), c.expected_left + 3);
        }
        if (c.expected_right >= 0) {
            EXPECT_LT(ink.right(), c.expected_right);
            EXPECT_GE(ink.right(), c.expected_right - 4);
        }
    }
}

TEST_F(Gdi_Text_Test, VerticalCentringAnswersTheOffsetToTheTextBottom)
{
    RECT rect{0, 0, 100, 60};
    int height = Metrics().tmHeight;
    EXPECT_EQ(DrawTextA(dc, "x", -1, &rect, DT_SINGLELINE), height);
    EXPECT_EQ(DrawTextA(dc, "x", -1, &rect, DT_SINGLELINE | DT_VCENTER), (60 - height) / 2 + height);
    EXPECT_EQ(DrawTextA(dc, "x", -1, &rect, DT_SINGLELINE | DT_BOTTOM), 60);
}

TEST_F(Gdi_Text_Test, DrawTextClipsToItsRectangleUnlessNoClip)
{
    RECT rect{10, 10, 30, 30};
    DrawTextA(dc, "Ordexia supervision", -1, &rect, DT_SINGLELINE);
    EXPECT_TRUE(QRect(10, 10, 20, 20).contains(Ink()));
    image.fill(white);
    DrawTextA(dc, "Ordexia supervision", -1, &rect, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(Ink().right(), 30);
}

TEST_F(Gdi_Text_Test, TextFollowsTheDcOriginAndClip)
{
    TextOutA(dc, 0, 0, "HH", 2);
    QRect plain = Ink();
    image.fill(white);
    SetWindowOrgEx(dc, -20, -10, nullptr);
    TextOutA(dc, 0, 0, "HH", 2);
    EXPECT_EQ(Ink(), plain.translated(20, 10));

    image.fill(white);
    IntersectClipRect(dc, 0, 0, plain.left() + 2, 100); // logical: the clip moves with the origin
    TextOutA(dc, 0, 0, "HH", 2);
    EXPECT_EQ(Ink().right(), 20 + plain.left() + 1);
}

TEST_F(Gdi_Text_Test, TextOutHonoursAlignmentFlags)
{
    int ascent = Metrics().tmAscent;
    SIZE size = Extent("HH");
    struct Case {
        UINT align;
        int left, right; // ink must lie within [left, right)
        int bottom;      // last inked row
    } const cases[] = {
        {TA_LEFT | TA_TOP, 100, 100 + size.cx, 50 + ascent - 1},
        {TA_RIGHT | TA_BASELINE, 100 - size.cx, 100, 49},
        {TA_CENTER | TA_BOTTOM, 100 - size.cx / 2, 100 + size.cx - size.cx / 2, 50 - size.cy + ascent - 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.align);
        image.fill(white);
        EXPECT_EQ(SetTextAlign(dc, c.align), GetTextAlign(dc));
        EXPECT_EQ(GetTextAlign(dc), c.align);
        ASSERT_TRUE(TextOutA(dc, 100, 50, "HH", 2));
        QRect ink = Ink();
        EXPECT_GE(ink.left(), c.left);
        EXPECT_LT(ink.right(), c.right);
        EXPECT_EQ(ink.bottom(), c.bottom);
    }
}

TEST_F(Gdi_Text_Test, UpdateCpAdvancesTheCurrentPosition)
{
    SetTextAlign(dc, TA_UPDATECP);
    MoveToEx(dc, 10, 5, nullptr);
    TextOutA(dc, 0, 0, "ab", 2);
    POINT position;
    GetCurrentPositionEx(dc, &position);
    EXPECT_EQ(position.x, 10 + Extent("ab").cx);
    EXPECT_EQ(position.y, 5);
    EXPECT_GE(Ink().left(), 10);
}

TEST_F(Gdi_Text_Test, CharacterExtraSpreadsTheInk)
{
    TextOutA(dc, 10, 10, "IIII", 4);
    int plain = Ink().width();
    image.fill(white);
    SetTextCharacterExtra(dc, 5);
    TextOutA(dc, 10, 10, "IIII", 4);
    EXPECT_EQ(Ink().width(), plain + 15);
}

TEST_F(Gdi_Text_Test, OpaqueModeFillsTheTextCell)
{
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(0, 0, 255));
    SetTextColor(dc, RGB(255, 255, 255));
    TextOutA(dc, 30, 20, "ab", 2);
    SIZE size = Extent("ab");
    EXPECT_EQ(Ink(), QRect(30, 20, size.cx, size.cy));

    image.fill(white);
    SetBkMode(dc, TRANSPARENT);
    RECT box{5, 5, 25, 15};
    ExtTextOutA(dc, 5, 5, ETO_OPAQUE | ETO_CLIPPED, &box, "Wide text", 9, nullptr);
    EXPECT_EQ(Ink(), QRect(5, 5, 20, 10));
}

TEST_F(Gdi_Text_Test, EscapementRotatesTheText)
{
    Use_Font(-16, "Arial", 900); // 90 degrees counter-clockwise: the text runs upwards
    TextOutA(dc, 100, 100, "Camera", 6);
    QRect ink = Ink();
    EXPECT_GT(ink.height(), ink.width());
    EXPECT_LE(ink.bottom(), 100);
}

TEST_F(Gdi_Text_Test, TextOnAMonochromeBitmapStaysBlackAndWhite)
{
    HDC mono_dc = CreateCompatibleDC(nullptr);
    HBITMAP mono = CreateBitmap(60, 20, 1, 1, nullptr);
    HGDIOBJ old_bitmap = SelectObject(mono_dc, mono);
    HGDIOBJ old_font = SelectObject(mono_dc, font);
    PatBlt(mono_dc, 0, 0, 60, 20, WHITENESS);
    SetTextColor(mono_dc, RGB(0, 0, 0));
    SetBkMode(mono_dc, TRANSPARENT);
    ASSERT_TRUE(TextOutA(mono_dc, 2, 2, "Mono", 4));
    int black = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x) {
            COLORREF pixel = GetPixel(mono_dc, x, y);
            ASSERT_TRUE(pixel == 0 || pixel == 0xFFFFFF) << x << "," << y;
            black += pixel == 0;
        }
    EXPECT_GT(black, 10);
    SelectObject(mono_dc, old_font);
    SelectObject(mono_dc, old_bitmap);
    DeleteObject(mono);
    DeleteDC(mono_dc);
}

TEST_F(Gdi_Text_Test, FailsOnAnUnknownDc)
{
    HDC bogus = reinterpret_cast<HDC>(&image);
    SIZE size;
    RECT rect{0, 0, 10, 10};
    EXPECT_FALSE(TextOutA(bogus, 0, 0, "x", 1));
    EXPECT_FALSE(GetTextExtentPoint32A(bogus, "x", 1, &size));
    EXPECT_EQ(DrawTextA(bogus, "x", 1, &rect, 0), 0);
    EXPECT_EQ(SetTextAlign(bogus, TA_RIGHT), GDI_ERROR);
}

} // namespace
