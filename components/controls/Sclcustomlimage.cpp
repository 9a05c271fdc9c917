#include "components/controls/Sclcustomlimage.h"

#include "components/controls/SCLCustomControl.h"
#include "platform/classlib/Class_Registry.h"
#include "platform/winapi/Gdi.h"

namespace {

const bool Custom_LImage_Registered = [] {
    RegisterClass<TSCLCustomLImage, TSCLBaseImage>("TSCLCustomLImage")
        .Property("ForceTransparent", Boolean_Type(), &TSCLCustomLImage::ForceTransparent,
                  &TSCLCustomLImage::SetForceTransparent, false)
        .Property("SilentMove", Boolean_Type(), &TSCLCustomLImage::SilentMove, &TSCLCustomLImage::SetSilentMove,
                  false);
    return true;
}();

constexpr WORD Transparent_Flag = 0x40;
constexpr int Empty_Side = 20;

} // namespace

TSCLCustomLImage::TSCLCustomLImage(TComponent* AOwner) : TSCLBaseImage(AOwner) {}

void TSCLCustomLImage::SetBool(int Index, bool Value)
{
    bool& field = Index == 0 ? force_transparent : silent_move;
    if (field == Value)
        return;
    field = Value;
    InvalidateControl();
}

bool TSCLCustomLImage::CorrectBounds()
{
    if (Style() != sbAutosize)
        return false;
    const int bevels = DblBevelExt();
    int width = Empty_Side + bevels;
    int height = Empty_Side + bevels;
    if (!GetEmpty()) {
        width = ImageList()->Dimensions(ListIndex(), 0) + bevels;
        height = ImageList()->Dimensions(ListIndex(), 1) + bevels;
    }
    if (width == Width() && height == Height())
        return false;
    SetBounds(Left(), Top(), width, height);
    return true;
}

bool TSCLCustomLImage::GetEmpty()
{
    return IMLEmpty();
}

HPALETTE TSCLCustomLImage::GetPalette()
{
    return GetEmpty() ? nullptr : ImageList()->Palette(ListIndex());
}

WORD TSCLCustomLImage::Draw_Flags()
{
    WORD flags = force_transparent ? Transparent_Flag : 0;
    AddStyleFlags(flags);
    return flags;
}

void TSCLCustomLImage::Draw_Item(TCanvas* Canvas, const RECT& Rect, WORD Flags)
{
    ImageList()->ClipDraw(Canvas, Rect, Flags, 0, ImageList()->TransparentColor(ListIndex(), ImageIndex()),
                          ListIndex(), ImageIndex());
}

void TSCLCustomLImage::Realize(HPALETTE Palette)
{
    if (QuickDraw() || !Palette)
        return;
    SelectPalette(Canvas()->Handle(), Palette, TRUE);
    RealizePalette(Canvas()->Handle());
}

bool TSCLCustomLImage::Parent_Back(TCanvas* Canvas, const RECT& Rect)
{
    TSCLBackProvider* provider = SCLParentBackProvider(this);
    if (!provider || !provider->BackBitmapCheck())
        return false;
    const RECT dest{0, 0, Rect.right - Rect.left, Rect.bottom - Rect.top};
    return provider->BackDrawArea(Canvas, dest, POINT{Left() + Rect.left, Top() + Rect.top}, 0);
}

bool TSCLCustomLImage::Parent_Offers_Back()
{
    auto* parent = dynamic_cast<TSCLCustomControl*>(Parent());
    return parent && parent->HandleAllocated() && parent->BackBitmapCheck();
}
