#include "components/foundations/Sclbuttonlayout.h"

#include "platform/classlib/Class_Registry.h"

namespace {

const bool Button_Layout_Registered = [] {
    RegisterClass<TSCLButtonLayout, TSCLGlyphTextLayout>("TSCLButtonLayout")
        .Property("Arrow", Boolean_Type(), &TSCLButtonLayout::Arrow, &TSCLButtonLayout::SetArrow, false)
        .Property("ArrowColor", Color_Type(), &TSCLButtonLayout::ArrowColor, &TSCLButtonLayout::SetArrowColor,
                  clBlack)
        .Property("ArrowIndent", Integer_Type(), &TSCLButtonLayout::ArrowIndent,
                  [](TSCLButtonLayout& layout, int value) { layout.SetInteger(0, value); }, 3)
        .Property("ArrowPosition", Enum_Type<TSCLArrowPosition>(TSCLEnumInfo<TSCLArrowPosition>::Names),
                  &TSCLButtonLayout::ArrowPosition, &TSCLButtonLayout::SetArrowPosition, apRightText)
        .Property("ArrowSize", Integer_Type(0, 255), &TSCLButtonLayout::ArrowSize,
                  [](TSCLButtonLayout& layout, int value) { layout.SetArrowSize(static_cast<TSCLDDArrowSize>(value)); },
                  3);
    return true;
}();

} // namespace

TSCLButtonLayout::TSCLButtonLayout()
{
    BeginUpdate();
    SetAlignment(agCenter);
    EndUpdate(false);
}

void TSCLButtonLayout::SetArrow(bool Value)
{
    Store(arrow, Value);
}

void TSCLButtonLayout::SetArrowColor(TColor Value)
{
    Store(arrow_color, Value);
}

void TSCLButtonLayout::SetInteger(int Index, int Value)
{
    if (Index == 0)
        Store(arrow_indent, Value);
}

void TSCLButtonLayout::SetArrowPosition(TSCLArrowPosition Value)
{
    Store(arrow_position, Value);
}

void TSCLButtonLayout::SetArrowSize(TSCLDDArrowSize Value)
{
    Store(arrow_size, Value);
}

void TSCLButtonLayout::Assign(TPersistent* Source)
{
    auto* layout = dynamic_cast<TSCLButtonLayout*>(Source);
    if (!layout) {
        TSCLGlyphTextLayout::Assign(Source);
        return;
    }
    BeginUpdate();
    Copy_Layout(*layout);
    arrow = layout->arrow;
    arrow_color = layout->arrow_color;
    arrow_indent = layout->arrow_indent;
    arrow_position = layout->arrow_position;
    arrow_size = layout->arrow_size;
    EndUpdate(true);
}
