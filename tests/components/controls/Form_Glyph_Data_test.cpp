// A form's bitmaps through the form writer and reader: a speed button's
// Glyph.Data and a shape's ShapeFill.Bitmap.Data come back pixel for pixel
// in every stored pixel format, and write back as they were read.

#include "components/controls/SCLShapeControl.h"
#include "components/controls/SCLSpeedButton.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/Form_Writer.h"
#include "platform/classlib/Forms.h"

// A namespace of its own: a unity build compiles this file with others.
namespace form_glyph_data {

// Odd sizes, so that rows end in padding in every format.
std::unique_ptr<TBitmap> Picture(TPixelFormat format, int width, int height)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(width, height);
    const std::vector<TColor> colors{clRed, clLime, clBlue, clWhite, clBlack, 0x00123456, clYellow, clFuchsia};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap->Canvas()->SetPixels(x, y, colors[static_cast<std::size_t>(x * 3 + y) % colors.size()]);
    bitmap->SetPixelFormat(format);
    return bitmap;
}

std::vector<TColor> Pixels_Of(TBitmap& bitmap)
{
    std::vector<TColor> pixels;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            pixels.push_back(bitmap.Canvas()->Pixels(x, y));
    return pixels;
}

void Expect_Same_Picture(TBitmap& read, TBitmap& written, const std::string& what)
{
    EXPECT_EQ(read.Width(), written.Width()) << what;
    EXPECT_EQ(read.Height(), written.Height()) << what;
    EXPECT_EQ(read.PixelFormat(), written.PixelFormat()) << what;
    EXPECT_EQ(Pixels_Of(read), Pixels_Of(written)) << what;
}

// The text of a binary property as written: "<name> = {", its hex lines, "}".
std::string Data_Text(const std::string& text, const std::string& name)
{
    const std::size_t start = text.find(name + " = {");
    const std::size_t end = text.find('}', start);
    return start == std::string::npos || end == std::string::npos ? std::string() : text.substr(start, end - start + 1);
}

std::unique_ptr<TForm> Read_Back(const std::string& text)
{
    std::unique_ptr<TComponent> component(CreateComponentFromText(text, "written", nullptr));
    auto* form = dynamic_cast<TForm*>(component.get());
    if (form != nullptr)
        component.release();
    return std::unique_ptr<TForm>(form);
}

template <class C>
C* Placed(TForm& form, const std::string& name)
{
    auto* control = new C(&form);
    control->SetName(name);
    control->SetParent(&form);
    return control;
}

TEST(FormGlyphData, GlyphsAndShapeFillBitmapsComeBackPixelForPixel)
{
    const struct {
        TPixelFormat format;
        const char* name;
    } cases[] = {{pf1bit, "1 bit"}, {pf4bit, "4 bits"}, {pf8bit, "8 bits"}, {pf24bit, "24 bits"}, {pf32bit, "32 bits"}};
    for (const auto& each : cases) {
        TForm form(nullptr);
        form.SetName("Form1");
        auto* button = Placed<TSCLSpeedButton>(form, "Button1");
        const auto glyph = Picture(each.format, 10, 5); // two cells of 5 x 5
        button->SetGlyph(glyph.get());
        button->SetNumGlyphs(2);
        auto* shape = Placed<TSCLShapeControl>(form, "Shape1");
        const auto fill = Picture(each.format, 7, 3);
        shape->ShapeFill()->SetBitmap(fill.get());
        shape->ShapeFill()->SetFillStyle(sfBitmap);

        const std::string text = WriteComponentText(&form);
        ASSERT_NE(Data_Text(text, "Glyph.Data"), "") << each.name << "\n" << text;
        ASSERT_NE(Data_Text(text, "ShapeFill.Bitmap.Data"), "") << each.name << "\n" << text;
        const std::unique_ptr<TForm> copy = Read_Back(text);
        ASSERT_NE(copy, nullptr) << each.name;
        auto* button_copy = dynamic_cast<TSCLSpeedButton*>(copy->FindComponent("Button1"));
        auto* shape_copy = dynamic_cast<TSCLShapeControl*>(copy->FindComponent("Shape1"));
        ASSERT_NE(button_copy, nullptr) << each.name;
        ASSERT_NE(shape_copy, nullptr) << each.name;

        Expect_Same_Picture(*button_copy->Glyph(), *button->Glyph(), std::string("glyph, ") + each.name);
        EXPECT_EQ(button_copy->NumGlyphs(), 2) << each.name;
        Expect_Same_Picture(*shape_copy->ShapeFill()->Bitmap(), *shape->ShapeFill()->Bitmap(),
                            std::string("shape fill, ") + each.name);
        EXPECT_EQ(shape_copy->ShapeFill()->Style(), sfBitmap) << each.name;
        const std::string again = WriteComponentText(copy.get());
        for (const char* data : {"Glyph.Data", "ShapeFill.Bitmap.Data"})
            EXPECT_EQ(Data_Text(again, data), Data_Text(text, data)) << each.name << ": " << data << " writes back as read";
    }
}

TEST(FormGlyphData, AStockGlyphIsStoredAsItsKindAndComesBackFromIt)
{
    TForm form(nullptr);
    form.SetName("Form1");
    auto* button = Placed<TSCLSpeedButton>(form, "Button1");
    button->SetGlyphKind(gkFolder);

    const std::string text = WriteComponentText(&form);
    EXPECT_EQ(Data_Text(text, "Glyph.Data"), "") << text;
    EXPECT_NE(text.find("GlyphKind = gkFolder"), std::string::npos) << text;
    const std::unique_ptr<TForm> copy = Read_Back(text);
    ASSERT_NE(copy, nullptr);
    auto* button_copy = dynamic_cast<TSCLSpeedButton*>(copy->FindComponent("Button1"));
    ASSERT_NE(button_copy, nullptr);
    Expect_Same_Picture(*button_copy->Glyph(), *button->Glyph(), "stock glyph");
}

// The background effect is an inert settings holder: its strength is
// written as it is (0.6 from the constructor) and loading it stores the
// neutral 0.0, whatever the form says. The glyph beside it is unaffected.
TEST(FormGlyphData, AButtonsStoredAlphaBlendStrengthLoadsAsTheNeutralValue)
{
    TForm form(nullptr);
    form.SetName("Form1");
    auto* button = Placed<TSCLSpeedButton>(form, "Button1");
    const auto glyph = Picture(pf24bit, 5, 5);
    button->SetGlyph(glyph.get());
    ASSERT_FLOAT_EQ(button->BackFX()->AlphaBlend()->Strength(), 0.6F);

    const std::string text = WriteComponentText(&form);
    EXPECT_NE(text.find("BackFX.AlphaBlend.Strength = 0.6"), std::string::npos) << text;
    const std::unique_ptr<TForm> copy = Read_Back(text);
    ASSERT_NE(copy, nullptr);
    auto* button_copy = dynamic_cast<TSCLSpeedButton*>(copy->FindComponent("Button1"));
    ASSERT_NE(button_copy, nullptr);
    EXPECT_EQ(button_copy->BackFX()->AlphaBlend()->Strength(), 0.0F);
    Expect_Same_Picture(*button_copy->Glyph(), *button->Glyph(), "glyph");
}

} // namespace form_glyph_data
