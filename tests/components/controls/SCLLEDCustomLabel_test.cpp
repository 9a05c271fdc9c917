#include "components/controls/SCLLEDCustomLabel.h"

#include "components/controls/SCLLEDLabel.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/classlib/Form_Parser.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/Form_Writer.h"
#include "tests/components/controls/Back_Test_Support.h"

using namespace back_test;

namespace {

// An opaque black LED label at the form's top-left, sized to its text.
struct Led_Scene {
    Test_Form form;
    TSCLLEDLabel* label = new TSCLLEDLabel(&form);

    Led_Scene(const std::string& text, int horz, int vert)
    {
        label->LED()->SetColor(0, clLime);
        label->LED()->SetColor(1, clGreen);
        label->LED()->SetByte(1, static_cast<BYTE>(horz));
        label->LED()->SetByte(3, static_cast<BYTE>(vert));
        label->SetAutosize(true);
        label->SetCaption(text);
        label->SetParent(&form);
        form.Show();
    }

    // Which segments of the first cell show lit, by the pixel at the middle
    // of each segment's outline.
    std::uint16_t Lit_Mask()
    {
        const QImage image = Shown(&form);
        std::uint16_t mask = 0;
        for (int light = 0; light < 16; ++light) {
            const TSCLLEDOutline& outline = label->LED()->Outline(static_cast<TSCLLEDLights>(light));
            int x = 0;
            int y = 0;
            for (const POINT& p : outline) {
                x += p.x;
                y += p.y;
            }
            if (image.pixel(x / 6, y / 6) == Rgb_Of(clLime))
                mask = static_cast<std::uint16_t>(mask | (1U << light));
        }
        return mask;
    }

    bool Any_Lit()
    {
        const QImage image = Shown(&form);
        for (int y = 0; y < label->Height(); ++y)
            for (int x = 0; x < label->Width(); ++x)
                if (image.pixel(x, y) == Rgb_Of(clLime))
                    return true;
        return false;
    }
};

} // namespace

TEST(LedLabel, EachCharacterLightsItsSegments)
{
    struct Case {
        std::string text;
        std::uint16_t mask;
    };
    for (const Case& c : {Case{"0", 0x1277}, Case{"1", 0x180}, Case{"a", 0x3F}, Case{"A", 0x3F}, Case{"=", 0x48}, Case{"*", 0x1F80},
                          Case{"X", 0x1E00}, Case{"K", 0x141A}, Case{" ", 0}, Case{"?", 0}}) {
        Led_Scene scene(c.text, 12, 10);
        EXPECT_EQ(scene.Lit_Mask(), c.mask) << '"' << c.text << '"';
    }
}

TEST(LedLabel, SmallCellsLightOnlyTheSevenBars)
{
    Led_Scene scene("0", 6, 5);
    EXPECT_EQ(scene.Lit_Mask(), 0x1277) << "6 and 5 are above 3: sixteen segments";
    scene.label->LED()->SetByte(3, 3);
    EXPECT_EQ(scene.Lit_Mask(), 0x77);
}

TEST(LedLabel, CellsAndBoundsFollowTheSizes)
{
    TSCLLED led;
    EXPECT_EQ(led.Horzsize(), 9);
    EXPECT_EQ(led.Vertsize(), 7);
    EXPECT_EQ(led.Thickness(), 2);
    EXPECT_EQ(led.GetWidth(), 9 + 10);
    EXPECT_EQ(led.GetHeight(), 14 + 14);
    const RECT bounds = led.CalcBoundsRect("12\r3", 1);
    EXPECT_EQ(led.Columns(), 2);
    EXPECT_EQ(led.Lines(), 2);
    EXPECT_TRUE(bounds == (RECT{0, 0, 2 * 19 + 2 + 1, 2 * 28 + 2}));

    Led_Scene scene("12\r3", 6, 5);
    scene.label->Bevel()->SetBevelStyleOuter(bvRaised);
    ASSERT_EQ(scene.label->BevelExt(), 1);
    scene.label->SetCaption("12\r3!");
    EXPECT_EQ(scene.label->Width(), 2 * (6 + 10) + 2 + 1);
    EXPECT_EQ(scene.label->Height(), 2 * (10 + 14) + 2);
}

TEST(LedLabel, IntegerValuesArePaddedOrDashed)
{
    TSCLLEDLabel label(nullptr);
    struct Case {
        int digits, value;
        const char* text;
    };
    for (const Case& c : {Case{2, 7, "07"}, Case{2, 42, "42"}, Case{2, 123, "--"}, Case{2, -5, "-5"},
                          Case{3, 7, "007"}, Case{1, 10, "-"}}) {
        label.SetByte(static_cast<BYTE>(c.digits));
        EXPECT_EQ(label.ValueString(c.value), c.text) << c.digits << " digits of " << c.value;
    }
    label.SetByte(0);
    EXPECT_EQ(label.Digits(), 1) << "no digits is refused";
    label.SetStyle(lsInteger);
    label.SetValue(9);
    EXPECT_EQ(label.GetLabelText(), "9");
}

TEST(LedLabel, ADisabledLabelShowsEverySegmentDim)
{
    Led_Scene scene("8", 6, 5);
    EXPECT_TRUE(scene.Any_Lit());
    scene.label->SetEnabled(false);
    EXPECT_FALSE(scene.Any_Lit());
    scene.label->LED()->SetEnabled(false);
    EXPECT_TRUE(scene.Any_Lit()) << "DisabledDigits off: lit even when disabled";
}

TEST(LedLabel, AFlashingLedAlternatesBlankAndLit)
{
    Led_Scene scene("8", 6, 5);
    scene.label->LED()->BeginFlash();
    std::vector<bool> lit;
    for (int i = 0; i < 4; ++i) {
        scene.label->Invalidate();
        lit.push_back(scene.Any_Lit());
    }
    EXPECT_EQ(lit, (std::vector<bool>{false, true, false, true}));
    scene.label->LED()->EndFlash();
    EXPECT_TRUE(scene.Any_Lit());
}

TEST(LedLabel, StoredSizesReadBackAsSaved)
{
    TSCLLEDLabel saved(nullptr);
    saved.SetName("Lamp");
    EXPECT_EQ(saved.Color(), clBlack);
    EXPECT_FALSE(saved.Transparent());
    for (const TFormProperty& property : Parse_Form_Text(WriteComponentText(&saved), "written").Properties)
        EXPECT_FALSE(property.Name.starts_with("LED.") || property.Name == "Color" ||
                     property.Name == "Transparent" || property.Name == "Digits")
            << property.Name << " is stored with its default";

    saved.LED()->SetByte(1, 7);
    saved.LED()->SetByte(3, 9);
    std::unique_ptr<TComponent> read(CreateComponentFromText(WriteComponentText(&saved), "written", nullptr));
    auto* loaded = dynamic_cast<TSCLLEDLabel*>(read.get());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->LED()->Horzsize(), 7);
    EXPECT_EQ(loaded->LED()->Vertsize(), 9);
}
