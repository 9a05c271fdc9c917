#include "components/controls/SCLCustomParentPanel.h"

#include <algorithm>

#include "components/foundations/Sclclass.h"
#include "components/foundations/Sclsysin.h"
#include "components/foundations/Sclutils.h"
#include "platform/classlib/Class_Registry.h"
#include "platform/winapi/Gdi.h"

namespace {

const bool Parent_Panel_Registered = [] {
    RegisterClass<TSCLCustomParentPanel, TSCLCustomBevelPanel>("TSCLCustomParentPanel");
    return true;
}();

// Tiled over the whole area; the palette realised unless the application
// realises palettes itself on a display of 256 colours or fewer.
WORD List_Draw_Flags()
{
    const bool realized_by_application =
        SCLApplication->Options.Contains(aoAutoRealizePalette) && SCLSIColorDepth() < 9;
    return realized_by_application ? SCLBD_TILE : SCLBD_TILE | SCLBD_PALETTE;
}

RECT Intersection(const RECT& a, const RECT& b)
{
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

} // namespace

TSCLCustomParentPanel::TSCLCustomParentPanel(TComponent* AOwner) : TSCLCustomBevelPanel(AOwner) {}

TSCLCustomParentPanel::~TSCLCustomParentPanel() = default;

HPALETTE TSCLCustomParentPanel::GetPalette()
{
    return IMLEmpty() ? nullptr : ImageList()->Palette(ListIndex());
}

bool TSCLCustomParentPanel::Prepare_Back(bool Redraw)
{
    if (!back_bitmap)
        back_bitmap = std::make_unique<TBitmap>();
    const RECT client = ClientRect();
    if (!Redraw && back_bitmap->Width() >= client.right && back_bitmap->Height() >= client.bottom)
        return false;
    back_bitmap->SetSize(client.right, client.bottom);
    return true;
}

void TSCLCustomParentPanel::Free_Back()
{
    back_bitmap.reset();
    rebuild_back = true;
}

void TSCLCustomParentPanel::CreateBack(bool Force)
{
    if (IMLEmpty() || Transparent()) {
        Free_Back();
        return;
    }
    if (!Prepare_Back(Force))
        return;
    const RECT area{0, 0, back_bitmap->Width(), back_bitmap->Height()};
    ImageList()->DrawExt(back_bitmap->Canvas(), area, List_Draw_Flags(), ListIndex(), ImageIndex());
}

bool TSCLCustomParentPanel::CheckOptimized()
{
    return back_bitmap || TSCLCustomBevelPanel::CheckOptimized();
}

void TSCLCustomParentPanel::GetChange(TObject* Sender)
{
    if (Loading())
        return;
    TSCLCustomBevelPanel::GetChange(Sender);
    Invalidate();
}

bool TSCLCustomParentPanel::GetEmpty()
{
    return TSCLCustomBevelPanel::GetEmpty() && IMLEmpty();
}

void TSCLCustomParentPanel::GetIMLChange(TObject* Sender)
{
    CreateBack(true);
    GetChange(Sender);
    Notify_Back_Changed();
}

bool TSCLCustomParentPanel::BackBitmapCheck()
{
    return back_bitmap || TSCLCustomBevelPanel::BackBitmapCheck();
}

TBitmap* TSCLCustomParentPanel::BackBitmap()
{
    return back_bitmap ? back_bitmap.get() : TSCLCustomBevelPanel::BackBitmap();
}

POINT TSCLCustomParentPanel::BackMapPoint(POINT P)
{
    // The own bitmap covers the client area: client points are its points.
    return back_bitmap ? P : TSCLCustomBevelPanel::BackMapPoint(P);
}

bool TSCLCustomParentPanel::BackDrawArea(TCanvas* Canvas, const RECT& Dest, POINT Src, WORD Flags)
{
    if (Loading())
        return false;
    if (!quick_draw) {
        if (HPALETTE palette = BackBitmapPalette()) {
            SelectPalette(Canvas->Handle(), palette, FALSE);
            RealizePalette(Canvas->Handle());
        }
    }
    if (!back_bitmap || Transparent())
        return TSCLCustomBevelPanel::BackDrawArea(Canvas, Dest, Src, Flags);
    const RECT wanted{Dest.left + Src.x, Dest.top + Src.y, Dest.right + Src.x, Dest.bottom + Src.y};
    const RECT source = Intersection(wanted, Intersection(ClientRect(), RECT{0, 0, back_bitmap->Width(),
                                                                           back_bitmap->Height()}));
    if (source.right <= source.left || source.bottom <= source.top)
        return true;
    const RECT target{source.left - Src.x, source.top - Src.y, source.right - Src.x, source.bottom - Src.y};
    Canvas->CopyRect(target, back_bitmap->Canvas(), source);
    return true;
}

void TSCLCustomParentPanel::Loaded()
{
    TSCLCustomBevelPanel::Loaded();
    if (Designing())
        CreateBack(true);
}

void TSCLCustomParentPanel::Paint()
{
    if (Loading())
        return;
    FillControl();
    if (!GetEmpty())
        Bevel()->PaintBevel(Canvas(), ClientRect(), Transparent());
    else if (Designing())
        DrawDashedFrame();
}

void TSCLCustomParentPanel::WMSize(TMessage& Message)
{
    if (!Loading())
        CreateBack(false);
    TSCLCustomBevelPanel::WMSize(Message);
}

void TSCLCustomParentPanel::Notification(TComponent* AComponent, TOperation Operation)
{
    const bool list_removed = Operation == opRemove && AComponent == ImageList();
    TSCLCustomBevelPanel::Notification(AComponent, Operation);
    if (list_removed)
        rebuild_back = true;
}
