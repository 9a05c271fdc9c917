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
