#include "components/foundations/Sclglyphtextlayout.h"

#include "platform/classlib/Class_Registry.h"

namespace {

// Alignment has no default: it is always stored.
const bool Glyph_Text_Layout_Registered = [] {
    RegisterClass<TSCLGlyphTextLayout>("TSCLGlyphTextLayout")
        .Property("Alignment", Enum_Type<TSCLAlignment>(TSCLEnumInfo<TSCLAlignment>::Names),
                  &TSCLGlyphTextLayout::Alignment, &TSCLGlyphTextLayout::SetAlignment)
        .Property("AlignText2Glyph", Enum_Type<TSCLTextArrange>(TSCLEnumInfo<TSCLTextArrange>::Names),
                  &TSCLGlyphTextLayout::AlignText2Glyph, &TSCLGlyphTextLayout::SetAlignText2Glyph, taRight)
        .Property("OffsetX", Integer_Type(), &TSCLGlyphTextLayout::OffsetX,
                  [](TSCLGlyphTextLayout& layout, int value) { layout.SetOffset(0, value); }, 0)
        .Property("OffsetY", Integer_Type(), &TSCLGlyphTextLayout::OffsetY,
                  [](TSCLGlyphTextLayout& layout, int value) { layout.SetOffset(1, value); }, 0)
        .Property("Spacing", Integer_Type(), &TSCLGlyphTextLayout::Spacing, &TSCLGlyphTextLayout::SetSpacing, 2);
    return true;
}();

} // namespace

void TSCLGlyphTextLayout::SetAlignment(TSCLAlignment Value)
{
    Store(alignment, Value);
}

void TSCLGlyphTextLayout::SetAlignText2Glyph(TSCLTextArrange Value)
{
    Store(align_text_2_glyph, Value);
}

void TSCLGlyphTextLayout::SetOffset(int Index, int Value)
{
    if (Index == 0)
        Store(offset_x, Value);
    else if (Index == 1)
        Store(offset_y, Value);
}

void TSCLGlyphTextLayout::SetSpacing(int Value)
{
    Store(spacing, Value);
}

void TSCLGlyphTextLayout::Copy_Layout(const TSCLGlyphTextLayout& Source)
{
    align_text_2_glyph = Source.align_text_2_glyph;
    offset_x = Source.offset_x;
    offset_y = Source.offset_y;
    spacing = Source.spacing;
    alignment = Source.alignment;
}

void TSCLGlyphTextLayout::Assign(TPersistent* Source)
{
    auto* layout = dynamic_cast<TSCLGlyphTextLayout*>(Source);
    if (!layout) {
        TSCLObject::Assign(Source);
        return;
    }
    Copy_Layout(*layout);
    Change();
}

std::string TSCLGlyphTextLayout::GetSetStr()
{
    return {};
}
