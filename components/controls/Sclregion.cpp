#include "components/controls/Sclregion.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "components/foundations/Sclclass.h"
#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/Form_Writer.h"
#include "platform/winapi/Window.h"

namespace {

const bool Region_Registered = [] {
    RegisterClass<TSCLRegion>("TSCLRegion").DefineProperties(&TSCLRegion::DefineProperties);
    RegisterClass<TSCLBorderRegion, TSCLRegion>("TSCLBorderRegion")
        .Property("Shape", Enum_Type<TSCLRegionShape>(TSCLEnumInfo<TSCLRegionShape>::Names), &TSCLRegion::Shape,
                  &TSCLRegion::SetRegionShape, rsRoundRect)
        .Property("ExtPos", Enum_Type<TSCLExtPos>(TSCLEnumInfo<TSCLExtPos>::Names), &TSCLRegion::ExtPos,
                  &TSCLRegion::SetNosePos, epLeftTop)
        .Object("Mask", &TSCLRegion::Mask)
        .Property("RoundX", Integer_Type(), &TSCLRegion::RoundX, &TSCLRegion::SetRoundX, 20)
        .Property("RoundY", Integer_Type(), &TSCLRegion::RoundY, &TSCLRegion::SetRoundY, 20)
        .Object("Shadow", &TSCLRegion::Shadow)
        .Object("Border", &TSCLRegion::Border);
    return true;
}();

int Clamp16(std::int64_t v)
{
    return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int16_t>::min(),
                                                     std::numeric_limits<std::int16_t>::max()));
}

std::vector<BYTE> Data_Of(HRGN Region)
{
    const DWORD size = Region ? GetRegionData(Region, 0, nullptr) : 0;
    std::vector<BYTE> data(size);
    if (size == 0 || GetRegionData(Region, size, reinterpret_cast<RGNDATA*>(data.data())) != size)
        data.clear();
    return data;
}

bool Round_Shape(TSCLRegionShape Shape)
{
    return Shape == rsRoundRect || Shape == rsRoundNoseRect || Shape == rsRoundThinkBubble;
}

} // namespace

TSCLRegion::TSCLRegion()
    : border(std::make_unique<TSCLRegionBorder>()), mask(std::make_unique<TSCLRegionMask>()),
      shadow(std::make_unique<TSCLRgnShadow>()), points(std::make_unique<TSCLPointList>())
{
    auto forward = [this](TObject* Sender) { GetChange(Sender); };
    border->OnChange = forward;
    mask->OnChange = forward;
    shadow->OnChange = forward;
    points->OnChange = [this](TObject* Sender) { GetPointListChange(Sender); };
}

TSCLRegion::~TSCLRegion()
{
    points->OnChange = nullptr;
    DeleteHandle(region);
    DeleteHandle(window_region_copy);
    shadow->OnChange = nullptr;
    mask->OnChange = nullptr;
    border->OnChange = nullptr;
}

void TSCLRegion::SetRegionShape(TSCLRegionShape Value)
{
    if (shape == Value)
        return;
    shape = Value;
    if (shape == rsPointList)
        GetPointListChange(this);
    Change();
}

void TSCLRegion::SetNosePos(TSCLExtPos Value)
{
    Store(ext_pos, Value);
}

void TSCLRegion::SetInteger(int Index, int Value)
{
    int* field = Index == 0 ? &round_x : Index == 1 ? &round_y : nullptr;
    if (!field || *field == Value)
        return;
    *field = Value;
    if (Round_Shape(shape))
        Change();
}

bool TSCLRegion::Control_Has(TComponentStateItem State) const
{
    return control && control->ComponentState().Contains(State);
}

void TSCLRegion::CreateRegion(const RECT& R)
{
    if (Control_Has(csDestroying))
        return;
    DeleteHandle(region);
    RECT r = R;
    if (shadow->Style() != hssNone) {
        r.right -= shadow->Depth();
        r.bottom -= shadow->Depth();
    }
    TSCLRegionShapeArgs args;
    args.Shape = shape;
    args.RoundX = round_x;
    args.RoundY = round_y;
    args.ExtPos = ext_pos;
    args.BubbleCount = bubble_count;
    if (mask->RegionDataSize() != 0)
        args.MaskData = mask->RegionData();
    args.UserData = user_region_data;
    args.Designing = Control_Has(csDesigning);
    region = SCLCreateShapeRgn(r, args);
}

void TSCLRegion::CreateSpecialRectRgn(const RECT& R)
{
    if (Control_Has(csDestroying))
        return;
    DeleteHandle(region);
    region = CreateRectRgnIndirect(&R);
}

void TSCLRegion::SetRegion()
{
    if (!region)
        return;
    HRGN applied = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(applied, region, nullptr, RGN_COPY);
    if (shadow->Style() != hssNone) {
        HRGN band = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(band, applied, nullptr, RGN_COPY);
        OffsetRgn(band, shadow->Depth(), shadow->Depth());
        CombineRgn(applied, applied, band, RGN_OR);
        DeleteObject(band);
    }
    if (!window_region_copy)
        window_region_copy = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(window_region_copy, applied, nullptr, RGN_COPY);
    if (control && control->HandleAllocated() && SetWindowRgn(control->Handle(), applied, TRUE) != 0)
        return; // the window owns it now
    DeleteObject(applied);
}

void TSCLRegion::FreeRegion()
{
    if (!window_region_copy)
        return;
    if (control && control->HandleAllocated())
        SetWindowRgn(control->Handle(), nullptr, FALSE);
    DeleteHandle(window_region_copy);
}

void TSCLRegion::SetUserRgn(HRGN Region)
{
    user_region_data = Data_Of(Region);
}

void TSCLRegion::SetUserPolygonRgn(std::span<const POINT> Points)
{
    points->BeginUpdate();
    points->Clear();
    for (const POINT& p : Points)
        points->AddPoint({Clamp16(p.x), Clamp16(p.y)});
    points->EndUpdate(false);
    Store_Polygon();
}

void TSCLRegion::GetPointListChange(TObject*)
{
    if (points->Count() > 0 && shape == rsPointList)
        Store_Polygon();
}

void TSCLRegion::Store_Polygon()
{
    std::vector<POINT> polygon;
    for (int i = 0; i < points->Count(); ++i)
        polygon.push_back(points->GetPoint(i));
    HRGN outline = CreatePolygonRgn(polygon.data(), static_cast<int>(polygon.size()), ALTERNATE);
    SetUserRgn(outline);
    DeleteObject(outline);
}

void TSCLRegion::DeleteHandle(HRGN& Handle)
{
    if (Handle)
        DeleteObject(Handle);
    Handle = nullptr;
}

void TSCLRegion::DrawShadow(TCanvas* Canvas, RECT& R)
{
    if (!Canvas || shadow->Style() == hssNone)
        return;
    CreateRegion(R);
    const int depth = shadow->Depth();
    R.right -= depth;
    R.bottom -= depth;
    if (!region)
        return;
    HRGN band = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(band, region, nullptr, RGN_COPY);
    OffsetRgn(band, depth, depth);
    CombineRgn(band, band, region, RGN_DIFF);
    TBrush* brush = Canvas->Brush();
    TPen* pen = Canvas->Pen();
    if (shadow->Style() == hssTracing) {
        brush->SetBitmap(SCLApplication->GetBrushBitmap(shadow->Color()));
        pen->SetMode(pmMask);
    } else {
        brush->SetBitmap(nullptr);
        brush->SetStyle(bsSolid);
        brush->SetColor(shadow->Color());
    }
    pen->SetStyle(psClear);
    FillRgn(Canvas->Handle(), band, brush->Handle());
    DeleteObject(band);
    brush->SetBitmap(nullptr);
    brush->SetStyle(bsClear);
    pen->SetMode(pmCopy);
    pen->SetStyle(psSolid);
}

void TSCLRegion::PaintRegionShape(TCanvas* Canvas, const RECT& R)
{
    if (!Canvas)
        return;
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Pen()->SetWidth(2);
    RECT r = R;
    DrawShadow(Canvas, r);
    Paint_Outline(Canvas, r);
}

void TSCLRegion::Paint_Outline(TCanvas* Canvas, const RECT& R)
{
    const TColor L = border->LightColor();
    const TColor S = border->ShadowColor();
    const TColor C = border->SingleColor();
    const TSCLRegionBorderStyle style = border->Style();
    const int W = R.right - R.left;
    switch (shape) {
    case rsRect:
        return SCLFrameRectRgn(Canvas, R, L, S, C, style);
    case rsRoundRect:
        return SCLFrameRoundRectRgn(Canvas, R, L, S, C, style, round_x, round_y);
    case rsNoseRect:
        return SCLFrameNoseRectRgn(Canvas, R, L, S, C, style, W / 10, ext_pos);
    case rsRoundNoseRect:
        return SCLFrameRoundNoseRectRgn(Canvas, R, L, S, C, style, W / 10, round_x, round_y, ext_pos);
    case rsElliptic:
        return SCLFrameEllipticRgn(Canvas, R, L, S, C, style);
    case rsStar:
        return SCLFrameStarRgn(Canvas, R, L, S, C, style);
    case rsRoundShield:
        return SCLFrameRoundShieldRgn(Canvas, R, L, S, C, style);
    case rsSharpShield:
        return SCLFrameSharpShieldRgn(Canvas, R, L, S, C, style);
    case rsDiamond:
        return SCLFrameDiamondRgn(Canvas, R, L, S, C, style);
    case rsOctagon:
        return SCLFrameOctagonRgn(Canvas, R, L, S, C, style);
    case rsComb:
        return SCLFrameCombRgn(Canvas, R, L, S, C, style);
    case rsHalfRound:
        return SCLFrameHalfRoundRgn(Canvas, R, L, S, C, style);
    case rsThinkBubble:
        return SCLFrameThinkBubbleRgn(Canvas, R, L, S, C, style, W / 6, bubble_count, ext_pos);
    case rsRoundThinkBubble:
        return SCLFrameRoundThinkBubbleRgn(Canvas, R, L, S, C, style, W / 6, bubble_count, ext_pos, round_x,
                                           round_y);
    case rsEllipticThinkBubble:
        return SCLFrameEllipticThinkBubbleRgn(Canvas, R, L, S, C, style, W / 6, bubble_count, ext_pos);
    case rsPointList: {
        std::vector<POINT> outline;
        for (int i = 0; i < points->Count(); ++i)
            outline.push_back(points->GetPoint(i));
        return SCLFramePointList(Canvas, outline, L, S, C, style);
    }
    case rsBitmap:
    case rsUserRegion:
        return;
    }
}

void TSCLRegion::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TSCLRegion*>(Source);
    if (!source) {
        TSCLObject::Assign(Source);
        return;
    }
    if (source == this)
        return;
    BeginUpdate();
    shape = source->shape;
    round_x = source->round_x;
    round_y = source->round_y;
    shadow->Assign(source->shadow.get());
    ext_pos = source->ext_pos;
    border->Assign(source->border.get());
    mask->Assign(source->mask.get());
    EndUpdate(true);
}

void TSCLRegion::DefineProperties(TFiler& Filer)
{
    Filer.DefineProperty(
        "PointList", [this](TReader& Reader) { Read_Points(Reader); },
        [this](TWriter& Writer) { Write_Points(Writer); }, points->Count() > 0);
}

void TSCLRegion::Read_Points(TReader& Reader)
{
    // The stored points replace the list: a second read does not add to it.
    points->BeginUpdate();
    points->Clear();
    try {
        Reader.ReadListBegin();
        while (!Reader.EndOfList()) {
            const int x = Clamp16(Reader.ReadInteger());
            const int y = Clamp16(Reader.ReadInteger());
            points->AddPoint({x, y});
        }
        Reader.ReadListEnd();
    } catch (...) {
        points->EndUpdate(false);
        throw;
    }
    points->EndUpdate(true);
}

void TSCLRegion::Write_Points(TWriter& Writer)
{
    Writer.WriteListBegin();
    for (int i = 0; i < points->Count(); ++i) {
        const POINT p = points->GetPoint(i);
        Writer.WriteInteger(p.x);
        Writer.WriteInteger(p.y);
    }
    Writer.WriteListEnd();
}

// ---- TSCLFormShape ------------------------------------------------------------

namespace {

const bool Form_Shape_Registered = [] {
    RegisterComponentClass<TSCLFormShape, TComponent>("TSCLFormShape")
        .Property("About", String_Type(), [](TSCLFormShape& s) { return s.About; },
                  [](TSCLFormShape& s, const std::string& value) { s.About = value; }, "")
        .Property("Enabled", Boolean_Type(), &TSCLFormShape::Enabled, &TSCLFormShape::SetEnabled, true)
        .Object("Region", &TSCLFormShape::Region)
        .Property("ShowFormCaption", Boolean_Type(), &TSCLFormShape::ShowFormCaption,
                  [](TSCLFormShape& s, bool value) { s.SetBoolean(0, value); }, true)
        .Property("FormDragable", Boolean_Type(), &TSCLFormShape::FormDragable,
                  [](TSCLFormShape& s, bool value) { s.SetBoolean(1, value); }, true)
        .Property("UseRgnBitmap", Boolean_Type(), &TSCLFormShape::UseRgnBitmap,
                  [](TSCLFormShape& s, bool value) { s.SetBoolean(2, value); }, true)
        .Object("FillObject", &TSCLFormShape::FillObject)
        .Component<TSCLCustomImageList>("ImageList", &TSCLFormShape::ImageList, &TSCLFormShape::SetImageList)
        .Stored_If(&TSCLFormShape::HasControl)
        .Property("ListIndex", Integer_Type(), &TSCLFormShape::ListIndex,
                  [](TSCLFormShape& s, int value) { s.SetInteger(0, value); }, 0)
        .Property("ImageIndex", Integer_Type(), &TSCLFormShape::ImageIndex,
                  [](TSCLFormShape& s, int value) { s.SetInteger(1, value); }, 0)
        .DefineProperties(&TSCLFormShape::DefineProperties);
    return true;
}();

HRGN Copy_Of(HRGN Source)
{
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(copy, Source, nullptr, RGN_COPY);
    return copy;
}

} // namespace

TSCLFormShape::TSCLFormShape(TComponent* AOwner)
    : TSCLWndProcComponent(AOwner), region(std::make_unique<TSCLBorderRegion>()),
      fill_object(std::make_unique<TSCLFillObject>())
{
    if (ComponentState().Contains(csDesigning) && SCLCheckForSameClass<TSCLFormShape>(AOwner))
        throw SCLEOneInstError("TSCLFormShape", 0);
    region->SetControl(dynamic_cast<TWinControl*>(AOwner));
    region->OnChange = [this](TObject* Sender) { GetChange(Sender); };
    fill_object->OnChange = [this](TObject* Sender) { GetChange(Sender); };
    link.OnChange = [this](TObject* Sender) { GetIMLChange(Sender); };
}

TSCLFormShape::~TSCLFormShape()
{
    link.OnChange = nullptr;
    region->OnChange = nullptr;
    fill_object->OnChange = nullptr;
    SCLMoveImageListLink(image_list, nullptr, link, this);
}

void TSCLFormShape::SetBoolean(int Index, bool Value)
{
    bool& field = Index == 0 ? show_form_caption : Index == 1 ? form_dragable : use_rgn_bitmap;
    if (field == Value)
        return;
    field = Value;
    if (Index == 0)
        ReRegion();
    else if (Index == 2)
        GetChange(this);
}

void TSCLFormShape::SetInteger(int Index, int Value)
{
    (Index == 0 ? list_index : image_index) = Value;
}

void TSCLFormShape::SetImageList(TSCLCustomImageList* Value)
{
    SCLMoveImageListLink(image_list, Value, link, this);
    GetIMLChange(this);
}

bool TSCLFormShape::HasControl() const
{
    return image_list && image_list->Owner() != SCLContainer;
}

bool TSCLFormShape::CheckCont() const
{
    return SCLIsGlobalIdent(image_list);
}

void TSCLFormShape::DefineProperties(TFiler& Filer)
{
    Filer.DefineProperty(
        "Internal", [this](TReader& Reader) { SetImageList(SCLReadGlobalIdent(Reader)); },
        [this](TWriter& Writer) { SCLWriteGlobalIdent(Writer, image_list); }, CheckCont());
}

void TSCLFormShape::Notification(TComponent* AComponent, TOperation Operation)
{
    TSCLWndProcComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == image_list) {
        SCLForgetImageList(image_list, link);
        GetIMLChange(this);
    }
}

void TSCLFormShape::GetChange(TObject* Sender)
{
    TSCLWndProcComponent::GetChange(Sender);
    ReRegion();
}

void TSCLFormShape::Loaded()
{
    TSCLWndProcComponent::Loaded();
    if (Enabled())
        ReRegion();
}

void TSCLFormShape::SetRegionShape(HRGN Shape)
{
    region->SetUserRgn(Shape);
    ReRegion();
}

void TSCLFormShape::SetPolygonShape(std::span<const POINT> Points)
{
    region->SetUserPolygonRgn(Points);
    ReRegion();
}

// The region in window coordinates of a form that is not maximised.
HRGN TSCLFormShape::Shaped_Region(TCustomForm* Form, int FrameX, int FrameY, int Caption)
{
    if (region->Shape() == rsBitmap) {
        TBitmap* mask = region->Mask()->BorderBmp();
        const int depth = region->Shadow()->Depth();
        Form->SetBounds(Form->Left(), Form->Top(), mask->Width() + depth + 2 * FrameX,
                        mask->Height() + depth + Caption + 2 * FrameY);
    }
    RECT bounds{-1, -1, Form->Width() - 2 * FrameX + 1, Form->Height() - 2 * FrameY - Caption + 1};
    region->CreateRegion(bounds);
    HRGN shaped = region->Region() ? Copy_Of(region->Region()) : CreateRectRgn(0, 0, 0, 0);
    OffsetRgn(shaped, FrameX, FrameY + Caption);
    if (region->Shadow()->Style() != hssNone) {
        HRGN band = Copy_Of(shaped);
        OffsetRgn(band, region->Shadow()->Depth(), region->Shadow()->Depth());
        CombineRgn(shaped, shaped, band, RGN_OR);
        DeleteObject(band);
    }
    HRGN strip = CreateRectRgn(0, 0, Form->Width(), FrameY + Caption);
    const bool keep_caption = (show_form_caption && Form->BorderStyle() != bsNone) || Designing();
    CombineRgn(shaped, shaped, strip, keep_caption ? RGN_OR : RGN_DIFF);
    DeleteObject(strip);
    return shaped;
}

void TSCLFormShape::ReRegion()
{
    TCustomForm* form = GetOwnerForm();
    const HWND window = ComponentState().Contains(csLoading) ? nullptr : GetOwnerHandle();
    if (!window || !form)
        return;
    const bool maximized = (static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & WS_MAXIMIZE) != 0;
    const TFormBorderStyle style = form->BorderStyle();
    const bool sizeable = style == bsSizeable || style == bsSizeToolWin;
    int frame_x = GetSystemMetrics(sizeable ? SM_CXFRAME : SM_CXDLGFRAME);
    int frame_y = GetSystemMetrics(sizeable ? SM_CYFRAME : SM_CYDLGFRAME);
    const int caption = style == bsNone ? 0
                        : (style == bsToolWindow || style == bsSizeToolWin) ? GetSystemMetrics(SM_CYSMCAPTION)
                                                                              : GetSystemMetrics(SM_CYCAPTION);
    if (style == bsNone && !Designing())
        frame_x = frame_y = 0;
    if (Designing())
        return;
    SetWindowRgn(window, nullptr, FALSE);
    // Maximised, the form shows its whole window.
    if (!maximized)
        SetWindowRgn(window, Shaped_Region(form, frame_x, frame_y, caption), TRUE);
}

void TSCLFormShape::Hit_Test(TMessage& Message)
{
    TCustomForm* form = GetOwnerForm();
    if (!form_dragable || !form || Message.Result != HTCLIENT || right_button)
        return;
    const POINT screen{static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam))};
    if (!form->ControlAtPos(form->ScreenToClient(screen), false, false))
        Message.Result = HTCAPTION;
}

void TSCLFormShape::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCHITTEST:
        TSCLWndProcComponent::WndProc(Message);
        Hit_Test(Message);
        return;
    case WM_NCRBUTTONDOWN:
        TSCLWndProcComponent::WndProc(Message);
        right_button = true;
        return;
    case WM_NCRBUTTONUP:
    case WM_CAPTURECHANGED:
        TSCLWndProcComponent::WndProc(Message);
        right_button = false;
        return;
    case WM_SIZE:
        TSCLWndProcComponent::WndProc(Message);
        ReRegion();
        if (TCustomForm* form = GetOwnerForm(); form && form->HandleAllocated())
            InvalidateRect(form->Handle(), nullptr, TRUE);
        return;
    case WM_ERASEBKGND:
        if (fill_object->Style() == sfNone && region->Shape() != rsBitmap)
            TSCLWndProcComponent::WndProc(Message);
        PaintBorder(reinterpret_cast<HDC>(Message.WParam));
        Message.Result = 1;
        return;
    default: TSCLWndProcComponent::WndProc(Message);
    }
}

void TSCLFormShape::PaintBorder(HDC DC)
{
    TCustomForm* form = GetOwnerForm();
    if (!form)
        return;
    TCanvas canvas;
    canvas.SetHandle(DC ? DC : form->Canvas()->Handle());
    const RECT client{0, 0, form->ClientWidth(), form->ClientHeight()};
    if (!Mask_Background()) {
        if (fill_object->Style() != sfNone) {
            back_bitmap.SetSize(client.right, client.bottom);
            if (fill_object->Style() == sfBitmapList && image_list && image_list->IsValidItem(list_index, image_index))
                image_list->GetBitmapItem(list_index, image_index, fill_object->ListBitmap());
            fill_object->FillCanvas(back_bitmap.Canvas(), client, clWhite);
            if (!Designing())
                canvas.Draw(0, 0, &back_bitmap);
        }
    } else if (!Designing()) {
        canvas.Draw(0, 0, region->Mask()->BorderBmp());
    }
    region->PaintRegionShape(&canvas, client);
    canvas.SetHandle(nullptr);
}

bool TSCLFormShape::BackBitmapCheck()
{
    if (Mask_Background())
        return true;
    return fill_object->Style() != sfNone && !Designing();
}

TBitmap* TSCLFormShape::BackBitmap()
{
    if (Mask_Background())
        return region->Mask()->BorderBmp();
    return fill_object->Style() != sfNone ? &back_bitmap : nullptr;
}

bool TSCLFormShape::BackDrawArea(TCanvas* Canvas, const RECT& Dest, POINT Src, WORD /*Flags*/)
{
    if (!BackBitmapCheck())
        return false;
    const RECT source{Src.x, Src.y, Src.x + Dest.right - Dest.left, Src.y + Dest.bottom - Dest.top};
    Canvas->CopyRect(Dest, BackBitmap()->Canvas(), source);
    return true;
}
