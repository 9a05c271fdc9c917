#include "components/controls/Sclbaseimage.h"

#include <array>

#include "platform/classlib/Class_Registry.h"

namespace {

const bool Base_Image_Registered = [] {
    RegisterClass<TSCLBaseImage, TSCLGraphicControl>("TSCLBaseImage")
        .Property("QuickDraw", Boolean_Type(), &TSCLBaseImage::QuickDraw, &TSCLBaseImage::SetQuickDraw, true)
        .Property("Style", Enum_Type<TSCLBitmapStyle>(TSCLEnumInfo<TSCLBitmapStyle>::Names), &TSCLBaseImage::Style,
                  &TSCLBaseImage::SetStyle, sbNone);
    return true;
}();

// The bitmap-drawing flags of each style, by ordinal: clip 0x01, centre
// 0x08, stretch 0x10, tile 0x20, keep height 0x200, keep width 0x400.
constexpr std::array<WORD, 8> Style_Flags = {0x0001, 0x0001, 0x0009, 0x0010, 0x0021, 0x0610, 0x0211, 0x0411};

} // namespace

TSCLBaseImage::TSCLBaseImage(TComponent* AOwner) : TSCLGraphicControl(AOwner)
{
    TControlStyle control_style = ControlStyle();
    control_style.Include(csReplicatable);
    SetControlStyle(control_style);
}

void TSCLBaseImage::SetQuickDraw(bool Value)
{
    if (quick_draw == Value)
        return;
    quick_draw = Value;
    InvalidateControl();
}

void TSCLBaseImage::SetStyle(TSCLBitmapStyle Value)
{
    if (style == Value)
        return;
    style = Value;
    InvalidateControl();
}

void TSCLBaseImage::AddStyleFlags(WORD& Flags)
{
    Flags |= Style_Flags[static_cast<std::size_t>(style)];
    if (BevelExt() == 0)
        Flags ^= 0x0001;
}
