#include "components/controls/Sclcaption.h"

#include "components/foundations/Sclutils.h"
#include "tests/components/controls/Settings_Holder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

SCL_SETTINGS_HOLDER(TSCLCaption);

namespace {

// The bounding box of the pixels that are not white, or an empty rectangle.
RECT Ink_Box(TCanvas* canvas, int width, int height)
{
    RECT box{width, height, 0, 0};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (canvas->Pixels(x, y) != clWhite) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    return box;
}

std::unique_ptr<TBitmap> White(int width, int height)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(width, height);
    bitmap->Canvas()->Brush()->SetColor(clWhite);
    bitmap->Canvas()->FillRect(RECT{0, 0, width, height});
    return bitmap;
}

} // namespace

TEST(Sclcaption, SecondConstructorDrawsItsOwnCaption)
{
    int changes = 0;
    TSCLCaption caption("Go", "Arial", 12, clBlack, [&changes](TObject*) { ++changes; });
    EXPECT_EQ(caption.Caption(), "Go");
    EXPECT_EQ(caption.Font()->Name(), "Arial");
    EXPECT_EQ(caption.Font()->Size(), 12);
    EXPECT_TRUE(caption.UseOwnCaption());
    auto bitmap = White(60, 30);
    caption.DrawCaption(bitmap->Canvas(), "", RECT{0, 0, 60, 30}, {dtEnabled}, clWhite, 0);
    const RECT ink = Ink_Box(bitmap->Canvas(), 60, 30);
    EXPECT_LT(ink.left, ink.right);
    caption.SetAlignment(agTopLeft);
    EXPECT_EQ(changes, 1);
}

TEST(Sclcaption, AlignmentPlacesTheText)
{
    TSCLCaption caption;
    caption.Font()->SetColor(clBlack);
    auto centred = White(100, 40);
    caption.DrawCaption(centred->Canvas(), "Ab", RECT{0, 0, 100, 40}, {dtEnabled}, clWhite, 0);
    const RECT middle = Ink_Box(centred->Canvas(), 100, 40);
    EXPECT_GT(middle.left, 30);
    EXPECT_LT(middle.right, 70);
    caption.SetAlignment(agBottomRight);
    auto corner = White(100, 40);
    caption.DrawCaption(corner->Canvas(), "Ab", RECT{0, 0, 100, 40}, {dtEnabled}, clWhite, 0);
    const RECT right = Ink_Box(corner->Canvas(), 100, 40);
    EXPECT_GT(right.left, 70);
    EXPECT_GT(right.top, middle.top);
}

TEST(Sclcaption, ClipKeepsTheTextInsideTheMovedRectangle)
{
    TSCLCaption caption;
    caption.Font()->SetColor(clBlack);
    caption.SetAlignment(agCenterLeft);
    auto bitmap = White(100, 40);
    // Clip to the rectangle moved 90 pixels right: only its first 10 columns.
    caption.DrawCaption(bitmap->Canvas(), "WWWWWWWW", RECT{0, 0, 100, 40}, {dtEnabled, dtClip}, clWhite, 90);
    const RECT ink = Ink_Box(bitmap->Canvas(), 100, 40);
    EXPECT_GE(ink.left, 90);
}

TEST(Sclcaption, RotatingANonTrueTypeFontSwitchesToArial)
{
    TSCLCaption caption;
    ASSERT_FALSE(SCLIsTrueTypeFont(caption.Font())) << "MS Sans Serif is a bitmap font";
    int changes = 0;
    caption.OnChange = [&changes](TObject*) { ++changes; };
    caption.FontFX()->SetAngle(90);
    EXPECT_EQ(caption.Font()->Name(), "Arial");
    EXPECT_EQ(caption.FontFX()->Angle(), 90);
    EXPECT_EQ(changes, 1);
}

TEST(Sclcaption, ChoosingANonTrueTypeFontWhileRotatedResetsTheAngle)
{
    TSCLCaption caption;
    caption.Font()->SetName("Arial");
    caption.FontFX()->SetAngle(45);
    int changes = 0;
    caption.OnChange = [&changes](TObject*) { ++changes; };
    caption.Font()->SetName("MS Sans Serif");
    EXPECT_EQ(caption.FontFX()->Angle(), 0);
    EXPECT_EQ(caption.Font()->Name(), "MS Sans Serif");
    EXPECT_EQ(changes, 1);
}

TEST(Sclcaption, AssignCopiesFontEffectAndTextOnce)
{
    TSCLCaption source;
    source.Font()->SetName("Arial");
    source.FontFX()->SetStyle(tdRaised);
    source.SetCaption("PC");
    source.SetMultiLine(true);
    source.SetAlignment(agTopRight);
    TSCLCaption target;
    int changes = 0;
    target.OnChange = [&changes](TObject*) { ++changes; };
    target.Assign(&source);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(target.Font()->Name(), "Arial");
    EXPECT_EQ(target.FontFX()->Style(), tdRaised);
    EXPECT_EQ(target.Caption(), "PC");
    EXPECT_TRUE(target.MultiLine());
    EXPECT_EQ(target.Alignment(), agTopRight);
}

TEST(Sclcaption, FormResourceSetsTextFontAndEffect)
{
    auto loaded = controls_test::Read_Holder<THolder_TSCLCaption>("Settings.Caption = 'WCU'\n"
                                                                  "Settings.Alignment = agTopLeft\n"
                                                                  "Settings.Font.Name = 'Arial'\n"
                                                                  "Settings.FontFX.Style = tdExtrude\n"
                                                                  "Settings.FontFX.Angle = 90");
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->Settings.Caption(), "WCU");
    EXPECT_EQ(loaded->Settings.Alignment(), agTopLeft);
    EXPECT_EQ(loaded->Settings.Font()->Name(), "Arial");
    EXPECT_EQ(loaded->Settings.FontFX()->Style(), tdExtrude);
    EXPECT_EQ(loaded->Settings.FontFX()->Angle(), 90);
    THolder_TSCLCaption fresh(nullptr);
    EXPECT_TRUE(controls_test::Stored_Names(fresh).empty());
}
