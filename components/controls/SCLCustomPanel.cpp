#include "components/controls/SCLCustomPanel.h"

#include "platform/classlib/Published_Properties.h"

namespace {

RECT Moved_Rect(const RECT& rect, int dx, int dy)
{
    return RECT{rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

const bool Custom_Panel_Registered = [] {
    RegisterClass<TSCLCustomPanel, TSCLCustomControl>("TSCLCustomPanel")
        .Property("Color", Color_Type(), &TSCLCustomPanel::Color, &TSCLCustomPanel::SetColor, clBtnFace)
        .Stored_If([](TSCLCustomPanel& panel) { return !panel.ParentColor(); })
        .Property("ParentColor", Boolean_Type(), &TSCLCustomPanel::ParentColor, &TSCLCustomPanel::SetParentColor,
                  false)
        .Property("Locked", Boolean_Type(), [](TSCLCustomPanel& panel) { return panel.Locked; },
                  [](TSCLCustomPanel& panel, bool value) { panel.Locked = value; }, false);
    return true;
}();

} // namespace

TSCLCustomPanel::TSCLCustomPanel(TComponent* AOwner) : TSCLCustomControl(AOwner)
{
    SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csOpaque, csDoubleClicks,
                                  csReplicatable});
    SetColor(clBtnFace);
}

void TSCLCustomPanel::WMSize(TMessage& Message)
{
    TSCLCustomControl::WMSize(Message);
    BackFX()->DestroyBuffer();
}

bool TSCLCustomPanel::BackBitmapCheck()
{
    if (!Transparent())
        return false;
    TSCLBackProvider* provider = SCLParentBackProvider(this);
    return provider && provider->BackBitmapCheck();
}

TBitmap* TSCLCustomPanel::BackBitmap()
{
    if (!BackBitmapCheck())
        return nullptr;
    TBitmap* bitmap = SCLParentBackProvider(this)->BackBitmap();
    if (bitmap && BackFX()->Enabled())
        bitmap->SetPixelFormat(pf24bit);
    return bitmap;
}

POINT TSCLCustomPanel::Client_Origin_In_Back(TSCLBackProvider* Provider)
{
    const POINT origin = Provider->BackMapPoint(POINT{Left(), Top()});
    // The client area sits inside the window's border; an odd difference
    // puts the extra pixel on the far side.
    return POINT{origin.x + (Width() - ClientWidth()) / 2, origin.y + (Height() - ClientHeight()) / 2};
}

POINT TSCLCustomPanel::BackMapPoint(POINT P)
{
    if (!BackBitmapCheck())
        return P;
    const POINT origin = Client_Origin_In_Back(SCLParentBackProvider(this));
    return POINT{origin.x + P.x, origin.y + P.y};
}

bool TSCLCustomPanel::BackDrawArea(TCanvas* Canvas, const RECT& Dest, POINT Src, WORD /*Flags*/)
{
    if (Loading() || Destroying_State())
        return false;
    TBitmap* bitmap = BackBitmap();
    if (!bitmap)
        return false;
    const POINT origin = Client_Origin_In_Back(SCLParentBackProvider(this));
    RECT source = Moved_Rect(Dest, origin.x + Src.x, origin.y + Src.y);
    if (!BackFX()->Enabled()) {
        Canvas->CopyRect(Dest, bitmap->Canvas(), source);
        return true;
    }
    // Through the effect: the area under the client drawn into a bitmap of
    // its own, a pixel of margin round it, and copied from there.
    const RECT area{origin.x, origin.y, origin.x + ClientWidth(), origin.y + ClientHeight()};
    source = Moved_Rect(source, -area.left, -area.top);
    TBitmap effect;
    effect.SetPixelFormat(pf24bit);
    effect.SetSize(area.right - area.left + 2, area.bottom - area.top + 2);
    BackFX()->DrawCutRect2(bitmap, area, effect.Canvas(), Canvas->ClipRect());
    Canvas->CopyRect(Dest, effect.Canvas(), source);
    return true;
}
