// The background effect and its alpha blend: neutral settings whatever is
// stored, and the blend of a fill over a bitmap, pixel by pixel.

#include "components/controls/Sclbitmapeffectobject.h"

#include "tests/components/controls/Settings_Holder.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>

SCL_SETTINGS_HOLDER(TSCLBitmapEffectObject);

namespace {

constexpr TColor bitmap_colour = 0xC86432; // B 0xC8, G 0x64, R 0x32
constexpr TColor fill_colour = 0x0A1428;   // B 0x0A, G 0x14, R 0x28

std::unique_ptr<TBitmap> Plain_Bitmap(int width, int height, TColor colour)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(width, height);
    bitmap->Canvas()->Brush()->SetColor(colour);
    bitmap->Canvas()->FillRect(RECT{0, 0, width, height});
    return bitmap;
}

void Brush_Fill(TSCLAlphaObject& alpha)
{
    alpha.FillObject()->Brush()->SetColor(fill_colour);
    alpha.FillObject()->SetFillStyle(sfBrush);
}

} // namespace

TEST(Sclbitmapeffectobject, BlendLeavesTheLastColumnAndTheLastRowAsTheyWere)
{
    TSCLBitmapEffectObject effect;
    Brush_Fill(*effect.AlphaBlend()); // strength 0.6 from the constructor
    auto bitmap = Plain_Bitmap(5, 4, bitmap_colour);
    effect.Draw(bitmap.get());
    // fill + round((bitmap - fill) * 0.6) per byte: R 0x28 + 6 = 0x2E,
    // G 0x14 + 48 = 0x44, B 0x0A + 114 = 0x7C.
    constexpr TColor blended = 0x7C442E;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(bitmap->Canvas()->Pixels(x, y), x == 4 || y == 3 ? bitmap_colour : blended) << x << "," << y;
    EXPECT_EQ(bitmap->PixelFormat(), pf24bit);
}

TEST(Sclbitmapeffectobject, StrengthZeroGivesTheFillOverTheBlendedArea)
{
    TSCLAlphaObject alpha;
    Brush_Fill(alpha);
    alpha.SetSingle(0.6F);
    auto bitmap = Plain_Bitmap(3, 3, bitmap_colour);
    alpha.AlphaBlend(bitmap.get());
    EXPECT_EQ(bitmap->Canvas()->Pixels(0, 0), fill_colour);
    EXPECT_EQ(bitmap->Canvas()->Pixels(1, 1), fill_colour);
    EXPECT_EQ(bitmap->Canvas()->Pixels(2, 1), bitmap_colour);
    EXPECT_EQ(bitmap->Canvas()->Pixels(1, 2), bitmap_colour);
}

TEST(Sclbitmapeffectobject, ABitmapOneColumnOrRowWideKeepsEveryPixel)
{
    for (const auto& [width, height] : {std::pair{1, 3}, std::pair{3, 1}}) {
        TSCLAlphaObject alpha;
        Brush_Fill(alpha);
        auto bitmap = Plain_Bitmap(width, height, bitmap_colour);
        alpha.AlphaBlend(bitmap.get());
        EXPECT_EQ(bitmap->Canvas()->Pixels(0, 0), bitmap_colour) << width << "x" << height;
        EXPECT_EQ(bitmap->Canvas()->Pixels(width - 1, height - 1), bitmap_colour) << width << "x" << height;
    }
}

TEST(Sclbitmapeffectobject, WithoutAFillStyleTheBitmapIsUntouched)
{
    TSCLBitmapEffectObject effect;
    auto bitmap = Plain_Bitmap(3, 3, bitmap_colour);
    effect.Draw(bitmap.get());
    EXPECT_EQ(bitmap->Canvas()->Pixels(1, 1), bitmap_colour);
    EXPECT_EQ(bitmap->Canvas()->Pixels(2, 2), bitmap_colour);
}

TEST(Sclbitmapeffectobject, ControlBlendCopiesThePartOfTheBlend)
{
    TSCLAlphaObject alpha;
    Brush_Fill(alpha);
    alpha.SetSingle(1.0F); // 0.0: the fill
    auto source = Plain_Bitmap(6, 6, bitmap_colour);
    auto target = Plain_Bitmap(6, 6, clWhite);
    alpha.ControlBlend(source.get(), RECT{2, 2, 6, 6}, RECT{0, 0, 4, 4}, target->Canvas(), RECT{1, 1, 5, 5});
    EXPECT_EQ(target->Canvas()->Pixels(0, 0), clWhite);
    EXPECT_EQ(target->Canvas()->Pixels(1, 1), fill_colour);
    EXPECT_EQ(target->Canvas()->Pixels(3, 3), fill_colour);
    EXPECT_EQ(target->Canvas()->Pixels(4, 4), bitmap_colour) << "the part's last row and column are not blended";
    EXPECT_EQ(target->Canvas()->Pixels(5, 5), clWhite);
}

TEST(Sclbitmapeffectobject, SwitchesAndBrightnessStayNeutral)
{
    TSCLBitmapEffectObject effect;
    int changes = 0;
    effect.OnChange = [&changes](TObject*) { ++changes; };
    for (int index = 0; index <= 5; ++index)
        effect.SetBoolean(index, true);
    effect.SetBrightness(50);
    EXPECT_FALSE(effect.FlipVertical());
    EXPECT_FALSE(effect.FlipHorizontal());
    EXPECT_FALSE(effect.GrayScale());
    EXPECT_FALSE(effect.Invert());
    EXPECT_FALSE(effect.Buffered());
    EXPECT_EQ(effect.Brightness(), 0);
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(effect.Enabled());
    EXPECT_EQ(effect.GetSetStr(), "{Disabled}");
}

TEST(Sclbitmapeffectobject, AlphaSettingsStayNeutral)
{
    TSCLAlphaObject alpha;
    int changes = 0;
    alpha.OnChange = [&changes](TObject*) { ++changes; };
    alpha.SetSingle(0.3F);
    EXPECT_EQ(alpha.Strength(), 0.0F);
    EXPECT_EQ(changes, 1);
    alpha.SetSingle(0.3F);
    EXPECT_EQ(changes, 1);
    alpha.SetInteger(0, 4);
    alpha.SetInteger(1, 2);
    EXPECT_EQ(alpha.ImageIndex(), 0);
    EXPECT_EQ(alpha.ListIndex(), 0);
    EXPECT_TRUE(alpha.IMLEmpty());
    EXPECT_FALSE(alpha.Enabled());
}

TEST(Sclbitmapeffectobject, AlphaChangesReachTheEffectAndDropItsBuffer)
{
    TSCLBitmapEffectObject effect;
    TObject* sender = nullptr;
    effect.OnChange = [&sender](TObject* Sender) { sender = Sender; };
    effect.AlphaBlend()->FillObject()->SetFillStyle(sfGradient);
    EXPECT_EQ(sender, &effect);
    EXPECT_FALSE(effect.BufferValid());
    EXPECT_EQ(effect.GetSetStr(), "{alpha}");
}

TEST(Sclbitmapeffectobject, SummariesNameTheFillAndStrength)
{
    TSCLAlphaObject alpha;
    EXPECT_EQ(alpha.GetSetStr(), "{Disabled}");
    const std::pair<TSCLFillStyle, const char*> cases[] = {
        {sfBrush, "{Enabled (brush), strength: 0.600}"}, {sfBitmap, "{Enabled (bmp), strength: 0.600}"},
        {sfBitmapList, "{Enabled (bmp), strength: 0.600}"}, {sfGradient, "{Enabled (grad), strength: 0.600}"}};
    for (const auto& [style, text] : cases) {
        alpha.FillObject()->SetFillStyle(style);
        EXPECT_EQ(alpha.GetSetStr(), text);
    }
}

TEST(Sclbitmapeffectobject, AssignTakesTheFillAndTheStrength)
{
    TSCLBitmapEffectObject source;
    Brush_Fill(*source.AlphaBlend());
    source.AlphaBlend()->SetSingle(0.5F);
    TSCLBitmapEffectObject target;
    target.Assign(&source);
    EXPECT_EQ(target.AlphaBlend()->FillObject()->Style(), sfBrush);
    EXPECT_EQ(target.AlphaBlend()->FillObject()->Brush()->Color(), fill_colour);
    EXPECT_EQ(target.AlphaBlend()->Strength(), 0.0F);
}

TEST(Sclbitmapeffectobject, AStoredStrengthLoadsAsZero)
{
    auto loaded = controls_test::Read_Holder<THolder_TSCLBitmapEffectObject>(
        "Settings.AlphaBlend.Strength = 0.600000023841858\n"
        "Settings.GrayScale = True");
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->Settings.AlphaBlend()->Strength(), 0.0F);
    EXPECT_FALSE(loaded->Settings.GrayScale());
    THolder_TSCLBitmapEffectObject untouched(nullptr);
    EXPECT_EQ(untouched.Settings.AlphaBlend()->Strength(), 0.6F);
    // The strength is always stored; nothing else differs from its default.
    EXPECT_EQ(controls_test::Stored_Names(untouched), std::vector<std::string>{"Settings.AlphaBlend.Strength"});
}
