#include "components/controls/Sclbaseshape.h"

#include "components/controls/Sclsettings_Internal.h"
#include "components/controls/Sclshapebase.h"
#include "components/foundations/Sclutils.h"
#include "platform/classlib/Class_Registry.h"

namespace {

const bool Base_Shape_Registered = [] {
    SCLRegisterBrushClass();
    RegisterClass<TSCLBaseShape, TSCLBaseGraphicControl>("TSCLBaseShape")
        .Object("Bevel", &TSCLBaseShape::Bevel)
        .Object("Brush", &TSCLBaseShape::Brush)
        .Property("BrushBackColor", Color_Type(), &TSCLBaseShape::BrushBackColor, &TSCLBaseShape::SetBrushBackColor,
                  clBtnFace)
        .Object("Caption", &TSCLBaseShape::Caption)
        .Property("CaptionClip", Boolean_Type(), &TSCLBaseShape::CaptionClip, &TSCLBaseShape::SetCaptionClip, false)
        .Property("Mode", Enum_Type<TSCLShapeControlMode>(TSCLEnumInfo<TSCLShapeControlMode>::Names),
                  &TSCLBaseShape::Mode, &TSCLBaseShape::SetMode, scmShapeFast)
        .Property("RoundPercent", Integer_Type(0, 100), &TSCLBaseShape::RoundPercent,
                  [](TSCLBaseShape& shape, int value) { shape.SetRoundPercent(static_cast<TSCLPercent>(value)); }, 33)
        .Object("Shadow", &TSCLBaseShape::Shadow)
        .Property("Shape", Enum_Type<TSCLShapeType>(TSCLEnumInfo<TSCLShapeType>::Names), &TSCLBaseShape::Shape,
                  &TSCLBaseShape::SetShape, stRectangle)
        .Object("ShapeFill", &TSCLBaseShape::ShapeFill)
        .Property("Square", Boolean_Type(), &TSCLBaseShape::Square, &TSCLBaseShape::SetSquare, false)
        .Object("Teeth", &TSCLBaseShape::Teeth);
    return true;
}();

} // namespace

TSCLBaseShape::TSCLBaseShape(TComponent* AOwner)
    : TSCLBaseGraphicControl(AOwner), bevel(std::make_unique<TSCLSimpleBevel>()), brush(std::make_unique<TBrush>()),
      caption(std::make_unique<TSCLCaption>()), shadow(std::make_unique<TSCLShadow>()),
      shape_fill(std::make_unique<TSCLShapeFill>()), teeth(std::make_unique<TSCLTeeth>()),
      outline(std::make_unique<TSCLPointList>())
{
    TControlStyle control_style = ControlStyle();
    control_style.Include(csReplicatable);
    SetControlStyle(control_style);
    const TNotifyEvent changed = [this](TObject* Sender) { GetChange(Sender); };
    bevel->OnChange = changed;
    brush->OnChange = changed;
    caption->OnChange = changed;
    shadow->OnChange = changed;
    shape_fill->OnChange = changed;
    teeth->OnChange = changed;
}

TSCLBaseShape::~TSCLBaseShape()
{
    bevel->OnChange = nullptr;
    brush->OnChange = nullptr;
    caption->OnChange = nullptr;
    shadow->OnChange = nullptr;
    shape_fill->OnChange = nullptr;
    teeth->OnChange = nullptr;
}

void TSCLBaseShape::SetBevel(TSCLSimpleBevel* Value) { bevel->Assign(Value); }
void TSCLBaseShape::SetBrush(TBrush* Value) { brush->Assign(Value); }
void TSCLBaseShape::SetCaption(TSCLCaption* Value) { caption->Assign(Value); }
void TSCLBaseShape::SetShadow(TSCLShadow* Value) { shadow->Assign(Value); }
void TSCLBaseShape::SetShapeFill(TSCLShapeFill* Value) { shape_fill->Assign(Value); }
void TSCLBaseShape::SetTeeth(TSCLTeeth* Value) { teeth->Assign(Value); }

void TSCLBaseShape::SetBrushBackColor(TColor Value)
{
    if (brush_back_color == Value)
        return;
    brush_back_color = Value;
    GetChange(nullptr);
}

void TSCLBaseShape::SetCaptionClip(bool Value)
{
    if (caption_clip == Value)
        return;
    caption_clip = Value;
    GetChange(nullptr);
}

void TSCLBaseShape::SetRoundPercent(TSCLPercent Value)
{
    if (round_percent == Value)
        return;
    round_percent = Value;
    GetChange(nullptr);
}

void TSCLBaseShape::SetShape(TSCLShapeType Value)
{
    if (shape == Value)
        return;
    shape = Value;
    GetChange(nullptr);
}

void TSCLBaseShape::SetSquare(bool Value)
{
    if (square == Value)
        return;
    square = Value;
    GetChange(nullptr);
}

void TSCLBaseShape::SetMode(TSCLShapeControlMode Value)
{
    if (mode == Value)
        return;
    mode = Value;
    GetChange(nullptr);
}

void TSCLBaseShape::Calc_Outline(const RECT& Rect)
{
    SCLShapeCalc(Rect, shape, Teeth_In_Use(), square, brush.get(), round_percent, bevel.get(), shadow.get(),
                 outline.get());
}

void TSCLBaseShape::GetChange(TObject* Sender)
{
    if (!dynamic_cast<TSCLCaption*>(Sender)) {
        Calc_Outline(ClientRect());
        GetShapeChange();
    }
    TSCLBaseGraphicControl::GetChange(Sender);
}

void TSCLBaseShape::GetShapeChange()
{
    composed.reset();
    offscreen.reset();
    if (Fill_Mode())
        offscreen = std::make_unique<TBitmap>();
}

void TSCLBaseShape::BoundsChange(TSCLBoundsChangeStates State)
{
    TSCLBaseGraphicControl::BoundsChange(State);
    if (State != TSCLBoundsChangeStates{bcPos})
        outline_dirty = true;
}

void TSCLBaseShape::GetIMLChange(TObject* Sender)
{
    if (!IMLEmpty()) {
        TBitmap picture;
        ImageList()->GetBitmapItem(ListIndex(), ImageIndex(), &picture);
        shape_fill->SetListBitmap(&picture);
    } else {
        shape_fill->SetListBitmap(nullptr);
    }
    TSCLBaseGraphicControl::GetIMLChange(Sender);
}

HPALETTE TSCLBaseShape::GetPalette()
{
    return Fill_Mode() ? shape_fill->GetPalette() : nullptr;
}

std::string TSCLBaseShape::GetLabelText()
{
    return caption->Caption();
}

RECT TSCLBaseShape::GetGradientRect()
{
    return ClientRect();
}

void TSCLBaseShape::DrawCaption(TCanvas* Canvas, const RECT& Rect)
{
    const int width = bevel->Width();
    RECT rect{Rect.left + width, Rect.top + width, Rect.right - width, Rect.bottom - width};
    if (shadow->Style() != hssNone) {
        rect.right -= shadow->Depth();
        rect.bottom -= shadow->Depth();
    }
    rect = RECT{width, width, width + rect.right - rect.left, width + rect.bottom - rect.top};
    const TSCLDrawTextStyles state = Enabled() ? TSCLDrawTextStyles{dtEnabled} : TSCLDrawTextStyles{dtDisabled};
    caption->DrawCaption(Canvas, GetLabelText(), rect, state, Color(), 0);
}

void TSCLBaseShape::Paint()
{
    if (!Loading())
        PaintToCanvas(Canvas());
}

void TSCLBaseShape::SaveToFile(const std::string& FileName)
{
    TBitmap picture;
    picture.SetSize(Width(), Height());
    PaintToCanvas(picture.Canvas());
    picture.SaveToFile(FileName);
}

void TSCLBaseShape::Shape_Draw(TCanvas* Canvas, TBrush* ABrush, TBitmap* Fill, TColor AColor)
{
    SCLShapeDraw(ClientRect(), Canvas, shape, Teeth_In_Use(), outline.get(), square, ABrush, round_percent,
                 bevel.get(), shadow.get(), Fill, AColor, brush_back_color);
}

// FillControl on the control's own canvas, and the same on another (the
// picture SaveToFile writes).
void TSCLBaseShape::Fill_Back(TCanvas* Canvas)
{
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color());
    Canvas->FillRect(ClientRect());
}

RECT TSCLBaseShape::Less_Teeth(RECT Rect) const
{
    if (!Teeth_Mode())
        return Rect;
    switch (teeth->Direction()) {
    case tdRight: Rect.right -= teeth->Width(); break;
    case tdDown: Rect.bottom -= teeth->Height(); break;
    case tdLeft: Rect.left += teeth->Width(); break;
    case tdUp: Rect.top += teeth->Height(); break;
    }
    return Rect;
}

void TSCLBaseShape::PaintToCanvas(TCanvas* Canvas)
{
    if (outline_dirty) {
        Calc_Outline(RECT{0, 0, Width(), Height()});
        GetShapeChange();
        outline_dirty = false;
    }
    if (!Fill_Mode()) {
        if (!Transparent())
            Fill_Back(Canvas);
        offscreen.reset();
        Shape_Draw(Canvas, brush.get(), nullptr, Color());
        DrawCaption(Canvas, ClientRect());
        return;
    }
    if (!offscreen)
        offscreen = std::make_unique<TBitmap>();
    if (offscreen->Empty())
        OffscreenPaint();
    Paint_Through_Bitmap(Canvas);
    if (!caption_clip)
        DrawCaption(Canvas, Less_Teeth(ClientRect()));
}

void TSCLBaseShape::Paint_Through_Bitmap(TCanvas* Canvas)
{
    const TSCLFillStyle style = shape_fill->Style();
    if (style == sfNone || style == sfBrushBitmap) {
        if (!Transparent())
            Fill_Back(Canvas);
        TBrush temporary;
        if (style == sfNone)
            temporary.SetStyle(bsClear);
        else
            temporary.SetBitmap(shape_fill->Bitmap());
        Shape_Draw(Canvas, &temporary, nullptr, Color());
        return;
    }
    // The shape goes onto a bitmap of Color and back keyed on Color: what
    // the shape leaves of it, and any fill pixel of exactly Color, lets the
    // background under the control show.
    const TColor key = ColorToRGB(Color());
    if (!composed || composed_key != key) {
        composed = std::make_unique<TBitmap>();
        composed_key = key;
        SCLBmpCreateFromRect(composed.get(), ClientRect(), Color());
        Shape_Draw(composed->Canvas(), brush.get(), offscreen.get(), key);
    }
    if (!Transparent())
        Fill_Back(Canvas);
    if (style == sfGradient)
        shape_fill->Gradient()->SetRealPalette(Canvas);
    RECT painted{};
    SCLBmpDraw(Canvas, ClientRect(), composed.get(), SCLBD_TRANSPARENT, key, painted);
}

void TSCLBaseShape::OffscreenPaint()
{
    const RECT gradient = GetGradientRect();
    const RECT rect{0, 0, gradient.right - gradient.left, gradient.bottom - gradient.top};
    offscreen->SetSize(rect.right, rect.bottom);
    TCanvas* canvas = offscreen->Canvas();
    switch (shape_fill->Style()) {
    case sfBrush:
        Shape_Draw(canvas, brush.get(), nullptr, Color());
        break;
    case sfBitmap:
    case sfBitmapList: {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(rect);
        TBitmap* picture = shape_fill->GetBitmap();
        if (picture && !picture->Empty()) {
            RECT painted{};
            SCLBmpDraw(canvas, rect, picture, SCLTileMode2DSF(shape_fill->TileMode()), 0, painted);
        }
        break;
    }
    case sfGradient:
        shape_fill->Gradient()->PaintGradient(canvas, rect);
        break;
    default:
        break;
    }
    if (caption_clip)
        DrawCaption(canvas, Less_Teeth(rect));
}
