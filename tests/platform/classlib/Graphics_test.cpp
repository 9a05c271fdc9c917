#include "platform/classlib/Graphics.h"
#include "tests/support/Gui_Application.h"

#include "platform/winapi/Gdi_Text.h"

#include <gtest/gtest.h>

namespace {

TEST(Graphics_Colors, ConvertThroughTheClassicScheme)
{
    struct Case {
        TColor color;
        COLORREF rgb;
        const char* text;
    } const cases[] = {
        {clRed, 0x0000FF, "clRed"},
        {clSilver, 0xC0C0C0, "clSilver"},
        {clBtnFace, 0xC0C0C0, "clBtnFace"},
        {clBtnShadow, 0x808080, "clBtnShadow"},
        {clBtnHighlight, 0xFFFFFF, "clBtnHighlight"},
        {clGrayText, 0x808080, "clGrayText"},
        {clWindow, 0xFFFFFF, "clWindow"},
        {clWindowText, 0x000000, "clWindowText"},
        {cl3DDkShadow, 0x000000, "cl3DDkShadow"},
        {cl3DLight, 0xC0C0C0, "cl3DLight"},
        {clNone, clNone, "clNone"},
        {clDefault, clDefault, "clDefault"},
        {0x9B0000, 0x9B0000, "$009B0000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ColorToRGB(c.color), c.rgb);
        EXPECT_EQ(ColorToString(c.color), c.text);
        EXPECT_EQ(StringToColor(c.text), c.color);
    }
}

TEST(Graphics_Colors, StringToColorTakesNamesAndNumbers)
{
    EXPECT_EQ(StringToColor("CLLIME"), clLime);
    EXPECT_EQ(StringToColor("clLtGray"), clSilver);
    EXPECT_EQ(StringToColor("$00A4A0A0"), 0xA4A0A0u);
    EXPECT_EQ(StringToColor("255"), clRed);
    EXPECT_EQ(StringToColor("-2147483633"), clBtnFace);
    EXPECT_THROW(StringToColor("clReddish"), EConvertError);
    EXPECT_THROW(StringToColor(""), EConvertError);
}

TEST(Graphics_Objects, ChangesNotifyOnlyWhenAValueChanges)
{
    TFont font;
    int changes = 0;
    TObject* sender = nullptr;
    font.OnChange = [&](TObject* from) {
        ++changes;
        sender = from;
    };
    font.SetColor(clRed);
    font.SetColor(clRed);
    font.SetStyle({fsBold, fsItalic});
    font.SetName("Arial");
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(sender, &font);

    TFont copy;
    copy.Assign(&font);
    EXPECT_EQ(copy.Name(), "Arial");
    EXPECT_EQ(copy.Color(), clRed);
    EXPECT_TRUE(copy.Style().Contains(fsItalic));

    TPen pen;
    EXPECT_THROW(copy.Assign(&pen), EConvertError);
}

TEST(Graphics_Objects, FontSizeAndHandleFollowTheProperties)
{
    Ensure_Gui_Application();
    TFont font;
    EXPECT_EQ(font.Name(), "MS Sans Serif");
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.Size(), 8);
    font.SetSize(10);
    EXPECT_EQ(font.Height(), -13);
    font.SetStyle({fsBold, fsUnderline});

    LOGFONTA log_font;
    ASSERT_EQ(GetObjectA(font.Handle(), sizeof log_font, &log_font), static_cast<int>(sizeof log_font));
    EXPECT_EQ(log_font.lfHeight, -13);
    EXPECT_EQ(log_font.lfWeight, FW_BOLD);
    EXPECT_TRUE(log_font.lfUnderline);
    EXPECT_STREQ(log_font.lfFaceName, "MS Sans Serif");

    // A handle made elsewhere, say with an escapement, is taken over.
    log_font.lfEscapement = 900;
    log_font.lfItalic = 1;
    font.SetHandle(CreateFontIndirectA(&log_font));
    EXPECT_TRUE(font.Style().Contains(fsItalic));
    LOGFONTA taken;
    GetObjectA(font.Handle(), sizeof taken, &taken);
    EXPECT_EQ(taken.lfEscapement, 900);
}

TEST(Graphics_Objects, PenAndBrushHandlesDescribeThemselves)
{
    TPen pen;
    pen.SetColor(clBtnShadow);
    pen.SetWidth(3);
    pen.SetStyle(psDot);
    LOGPEN log_pen;
    ASSERT_GT(GetObjectA(pen.Handle(), sizeof log_pen, &log_pen), 0);
    EXPECT_EQ(log_pen.lopnColor, 0x808080u);
    EXPECT_EQ(log_pen.lopnWidth.x, 3);
    EXPECT_EQ(log_pen.lopnStyle, static_cast<UINT>(PS_DOT));
    EXPECT_EQ(PenModeToRop2(pmXor), R2_XORPEN);

    TBrush brush;
    brush.SetStyle(bsDiagCross);
    brush.SetColor(clNavy);
    LOGBRUSH log_brush;
    ASSERT_GT(GetObjectA(brush.Handle(), sizeof log_brush, &log_brush), 0);
    EXPECT_EQ(log_brush.lbStyle, BS_HATCHED);
    EXPECT_EQ(log_brush.lbHatch, static_cast<std::uintptr_t>(HS_DIAGCROSS));
    EXPECT_EQ(log_brush.lbColor, 0x800000u);
    brush.SetStyle(bsClear);
    GetObjectA(brush.Handle(), sizeof log_brush, &log_brush);
    EXPECT_EQ(log_brush.lbStyle, BS_NULL);
}

} // namespace
