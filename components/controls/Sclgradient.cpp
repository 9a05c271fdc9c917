#include "components/controls/Sclgradient.h"

#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/Form_Writer.h"
#include "platform/winapi/Gdi.h"

namespace {

// Forms set ShapeFill.Gradient.Color, EndColor, ColorCount, Style, ...
const bool Gradient_Registered = [] {
    RegisterClass<TSCLGradient>("TSCLGradient")
        .Property("Color", Color_Type(), &TSCLGradient::Color, &TSCLGradient::SetColor, 0xFF0000)
        .Property("ColorCount", Integer_Type(2, 236), &TSCLGradient::ColorCount, &TSCLGradient::SetColorCount, 16)
        .Property("Style", Enum_Type<TSCLGradientStyle>(TSCLEnumInfo<TSCLGradientStyle>::Names),
                  &TSCLGradient::Style, &TSCLGradient::SetStyle, gstVertical)
        .Property("EndColor", Color_Type(), &TSCLGradient::EndColor, &TSCLGradient::SetEndColor, 0)
        .Property("PaletteRealize", Boolean_Type(), &TSCLGradient::PaletteRealize,
                  &TSCLGradient::SetPaletteRealize, false)
        .Property("TwoColors", Boolean_Type(), &TSCLGradient::TwoColors, &TSCLGradient::SetTwoColors, true)
        .DefineProperties(&TSCLGradient::DefineProperties);
    return true;
}();

} // namespace

TSCLGradient::TSCLGradient()
{
    InitPalette();
}

TSCLGradient::~TSCLGradient()
{
    DestroyPalette();
}

void TSCLGradient::SetColorCount(TSCLColorCount Value)
{
    Store(color_count, Value);
}

void TSCLGradient::SetColor(TColor Value)
{
    if (Value == color)
        return;
    InitPalette();
    color = Value;
    Change();
}

void TSCLGradient::SetEndColor(TColor Value)
{
    Store(end_color, Value);
}

void TSCLGradient::SetPaletteRealize(bool Value)
{
    Store(palette_realize, Value);
}

void TSCLGradient::SetStyle(TSCLGradientStyle Value)
{
    Store(style, Value);
}

void TSCLGradient::SetTwoColors(bool Value)
{
    Store(two_colors, Value);
}

void TSCLGradient::SetColors(const TSCLColorList& List)
{
    colors = List;
}

void TSCLGradient::Change()
{
    InitPalette();
    TSCLObject::Change();
}

void TSCLGradient::InitPalette()
{
    DestroyPalette();
    if (two_colors) {
        SCLGradientCreateColorList(color, end_color, color_count, &computed, true);
    } else if (colors.size() > 1) {
        // The steps are shared by the stops, not by the segments between them.
        const auto steps = static_cast<BYTE>(color_count / colors.size());
        for (std::size_t i = 0; i + 1 < colors.size(); ++i)
            SCLGradientCreateColorList(colors[i], colors[i + 1], steps, &computed, i == 0);
    }
    if (palette_realize)
        palette = SCLGradientCreatePalette(&computed);
}

void TSCLGradient::DestroyPalette()
{
    // A handle someone else deleted must not outlive the release.
    if (palette)
        DeleteObject(palette);
    palette = nullptr;
    computed.clear();
}

void TSCLGradient::PaintGradient(TCanvas* Canvas, const RECT& Rect)
{
    SCLGradientPaintExt(Canvas, Rect, style, &computed, palette, palette_realize ? SCLGD_PALETTE : 0, 0);
}

void TSCLGradient::SetRealPalette(TCanvas* Canvas)
{
    if (!palette_realize || !Canvas)
        return;
    SelectPalette(Canvas->Handle(), palette, FALSE);
    RealizePalette(Canvas->Handle());
}

void TSCLGradient::Assign(TPersistent* Source)
{
    auto* gradient = dynamic_cast<TSCLGradient*>(Source);
    if (!gradient) {
        TSCLObject::Assign(Source);
        return;
    }
    BeginUpdate();
    color_count = gradient->color_count;
    color = gradient->color;
    style = gradient->style;
    end_color = gradient->end_color;
    palette_realize = gradient->palette_realize;
    two_colors = gradient->two_colors;
    colors = gradient->colors;
    EndUpdate(true);
}

std::string TSCLGradient::GetSetStr()
{
    static constexpr const char* words[] = {"horizontal",  "vertical",     "square",        "elliptic",
                                            "top left",    "top right",    "bottom left",   "bottom right",
                                            "top left diag", "top right diag"};
    return std::string(words[style]) + ", Col: " + std::to_string(color_count) +
           (two_colors ? ", 2 col mode" : ", mult. col mode");
}

void TSCLGradient::DefineProperties(TFiler& Filer)
{
    Filer.DefineProperty(
        "ColorList",
        [this](TReader& reader) {
            BeginUpdate();
            reader.ReadListBegin();
            while (!reader.EndOfList())
                colors.push_back(static_cast<TColor>(reader.ReadInteger()));
            reader.ReadListEnd();
            EndUpdate(true);
        },
        [this](TWriter& writer) {
            writer.WriteListBegin();
            for (TColor stop : colors)
                writer.WriteInteger(static_cast<std::int64_t>(stop));
            writer.WriteListEnd();
        },
        !colors.empty());
}
