#include "components/controls/SCLCustomShapeButton.h"

#include <algorithm>

#include "components/controls/SCLCustomControl.h"
#include "components/controls/Sclgrapa.h"
#include "components/controls/Sclshapebase.h"
#include "components/foundations/Sclutils.h"
#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/Form_Writer.h"

namespace {

constexpr int Three_D_Shift = 2;

const bool Custom_Shape_Button_Registered = [] {
    RegisterClass<TSCLCustomShapeButton, TSCLBaseGraphicButton>("TSCLCustomShapeButton")
        .Object("Colors", &TSCLCustomShapeButton::Colors)
        .Property("Mode", Enum_Type<TSCLShapeButtonMode>(TSCLEnumInfo<TSCLShapeButtonMode>::Names),
                  &TSCLCustomShapeButton::Mode, &TSCLCustomShapeButton::SetMode, sbmShapeFast)
        .Object("Shape", &TSCLCustomShapeButton::Shape)
        .Property("Style", Enum_Type<TSCLShapeButtonStyle>(TSCLEnumInfo<TSCLShapeButtonStyle>::Names),
                  &TSCLCustomShapeButton::Style, &TSCLCustomShapeButton::SetShapeStyle, sbsShadow)
        .Object("ShapeFill", &TSCLCustomShapeButton::ShapeFill)
        .Component<TSCLCustomImageList>("ShapeFillImageList", &TSCLCustomShapeButton::ShapeFillImageList,
                                        &TSCLCustomShapeButton::SetBtnFaceImageList)
        .Stored_If([](TSCLCustomShapeButton& b) { return !SCLIsGlobalIdent(b.ShapeFillImageList()); })
        .Property("ShapeFillImageIndex", Integer_Type(), &TSCLCustomShapeButton::ShapeFillImageIndex,
                  [](TSCLCustomShapeButton& b, int v) { b.SetBtnFaceIndex(0, v); }, 0)
        .Property("ShapeFillListIndex", Integer_Type(), &TSCLCustomShapeButton::ShapeFillListIndex,
                  [](TSCLCustomShapeButton& b, int v) { b.SetBtnFaceIndex(1, v); }, 0)
        .DefineProperties(&TSCLCustomShapeButton::DefineProperties);
    return true;
}();

} // namespace

TSCLCustomShapeButton::TSCLCustomShapeButton(TComponent* AOwner)
    : TSCLBaseGraphicButton(AOwner), shape(std::make_unique<TSCLShape>()),
      colors(std::make_unique<TSCLShapeButtonColor>()), face(std::make_unique<TBitmap>()),
      shape_fill(std::make_unique<TSCLShapeFill>()), brush(std::make_unique<TBrush>()),
      outline(std::make_unique<TSCLPointList>())
{
    SetControlStyle(TControlStyle{csCaptureMouse, csDoubleClicks, csReplicatable});
    shape->Brush()->SetColor(clBtnFace);
    const TNotifyEvent changed = [this](TObject* Sender) { GetChange(Sender); };
    shape->OnChange = changed;
    colors->OnChange = changed;
    shape_fill->OnChange = changed;
    fill_link.OnChange = [this](TObject*) { GetIMLFaceChange(); };
    SetTransparent(false);
    GetChange(nullptr);
}

TSCLCustomShapeButton::~TSCLCustomShapeButton()
{
    shape->OnChange = nullptr;
    colors->OnChange = nullptr;
    shape_fill->OnChange = nullptr;
    fill_link.OnChange = nullptr;
    if (fill_list) {
        fill_list->UnRegisterChanges(&fill_link);
        fill_list->RemoveFreeNotification(this);
    }
}

void TSCLCustomShapeButton::SetShapeStyle(TSCLShapeButtonStyle Value)
{
    style = Value;
    GetChange(nullptr);
}

void TSCLCustomShapeButton::SetMode(TSCLShapeButtonMode Value)
{
    mode = Value;
    if (Value == sbmShapeFast)
        face = std::make_unique<TBitmap>();
    GetChange(nullptr);
}

void TSCLCustomShapeButton::SetBevelFlag(bool Value)
{
    bevel_flag = Value;
    GetChange(nullptr);
}

void TSCLCustomShapeButton::SetBtnFaceImageList(TSCLCustomImageList* List)
{
    if (fill_list) {
        fill_list->UnRegisterChanges(&fill_link);
        fill_list->RemoveFreeNotification(this);
    }
    fill_list = List;
    if (List) {
        List->RegisterChanges(&fill_link);
        List->FreeNotification(this);
    }
    GetIMLFaceChange();
}

void TSCLCustomShapeButton::SetBtnFaceIndex(int Index, std::int32_t Value)
{
    std::int32_t& field = Index == 0 ? fill_image_index : fill_list_index;
    if (Value < 0 || Value == field)
        return;
    field = Value;
    if (fill_list)
        GetIMLFaceChange();
}

void TSCLCustomShapeButton::GetIMLFaceChange()
{
    if (fill_list && fill_list->IsValidItem(fill_list_index, fill_image_index)) {
        TBitmap item;
        fill_list->GetBitmapItem(fill_list_index, fill_image_index, &item);
        shape_fill->SetListBitmap(&item);
    } else {
        shape_fill->SetListBitmap(nullptr);
    }
    GetChange(nullptr);
}

void TSCLCustomShapeButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TSCLBaseGraphicButton::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == fill_list) {
        fill_list = nullptr;
        shape_fill->SetListBitmap(nullptr);
    }
}

void TSCLCustomShapeButton::DefineProperties(TFiler& Filer)
{
    Filer.DefineProperty(
        "InternalBtn", [this](TReader& Reader) { SetBtnFaceImageList(SCLReadGlobalIdent(Reader)); },
        [this](TWriter& Writer) { SCLWriteGlobalIdent(Writer, fill_list); }, SCLIsGlobalIdent(fill_list));
    Filer.DefineProperty("CaptionClip", [](TReader& Reader) { Reader.ReadBoolean(); }, nullptr, false);
}

// ---- Geometry ------------------------------------------------------------------

bool TSCLCustomShapeButton::Pressed_Look() const
{
    return State() == bsOptionSet || State() == bsDown || State() == bsDropDownOpen;
}

int TSCLCustomShapeButton::Shadow_Depth() const
{
    return style == sbsShadow && shape->Shadow()->Style() != hssNone ? shape->Shadow()->Depth() : 0;
}

int TSCLCustomShapeButton::PressedShift() const { return style == sbs3D ? Three_D_Shift : Shadow_Depth(); }

RECT TSCLCustomShapeButton::TextRect()
{
    const int w = shape->Bevel()->Width();
    const int d = Shadow_Depth();
    RECT rect{w + 1, w + 1, Width() - 2 * w - d - 1, Height() - 2 * w - d - 1};
    if (Pressed_Look()) {
        const int shift = PressedShift();
        rect = RECT{rect.left + shift, rect.top + shift, rect.right + shift, rect.bottom + shift};
    }
    return rect;
}

void TSCLCustomShapeButton::Calc_Outline()
{
    SCLShapeCalc(ClientRect(), shape->Shape(), static_cast<TSCLTeeth*>(nullptr), shape->Square(), brush.get(),
                 shape->RoundPercent(), shape->Bevel(), style == sbsShadow ? shape->Shadow() : nullptr,
                 outline.get());
}

void TSCLCustomShapeButton::GetChange(TObject* Sender)
{
    if (!shape || !outline || !brush || !shape_fill)
        return; // still being built
    Forget_Faces();
    const RECT client = ClientRect();
    if (mode == sbmShapeFill && client.right > 0 && client.bottom > 0) {
        face->SetSize(client.right, client.bottom);
        const TSCLFillStyle fill = shape_fill->Style();
        if (fill == sfBitmap || fill == sfBitmapList) {
            SCLBmpCreateFromRect(face.get(), client, Color());
            if (TBitmap* picture = shape_fill->GetBitmap(); picture && !picture->Empty()) {
                RECT painted{};
                SCLBmpDraw(face->Canvas(), client, picture, SCLTileMode2DSF(shape_fill->TileMode()), 0, painted);
            }
        } else if (fill == sfGradient) {
            shape_fill->Gradient()->PaintGradient(face->Canvas(), client);
        }
    }
    Calc_Outline();
    // The held face moves by what the drawing moves it: the hit test follows.
    SetPressOffset(static_cast<BYTE>(PressedShift()), true);
    (void)Sender;
    if (Loading())
        return;
    if (Transparent() && mode == sbmShapeFill && Parent() && Visible())
        Repaint();
    else
        Invalidate();
}

void TSCLCustomShapeButton::Forget_Faces()
{
    for (auto& cached : faces)
        cached.reset();
}

void TSCLCustomShapeButton::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
    case CM_COLORCHANGED:
    case CM_PARENTCOLORCHANGED:
    case CM_ENABLEDCHANGED:
    case CM_SCLPARENTBACKCHANGED: Forget_Faces(); break;
    default: break;
    }
    TSCLBaseGraphicButton::Dispatch(Message);
}

void TSCLCustomShapeButton::BoundsChange(TSCLBoundsChangeStates State)
{
    TSCLBaseGraphicButton::BoundsChange(State);
    if (State.Contains(bcSize))
        GetChange(nullptr);
}

void TSCLCustomShapeButton::Loaded()
{
    TSCLBaseGraphicButton::Loaded();
    GetChange(nullptr);
}

bool TSCLCustomShapeButton::VerifyTransparency(int X, int Y)
{
    if (outline->Count() < 2)
        return TSCLBaseGraphicButton::VerifyTransparency(X, Y);
    const POINT a = outline->GetPoint(0);
    const POINT b = outline->GetPoint(1);
    const int d = Shadow_Depth();
    HRGN region = nullptr;
    switch (shape->Shape()) {
    case stEllipse: region = CreateEllipticRgn(a.x, a.y, b.x, b.y); break;
    case stRectangle: region = CreateRectRgn(a.x, a.y, b.x, b.y); break;
    case stRoundRect: {
        const int corner = std::min(Width() - d, Height() - d) * shape->RoundPercent() / 100;
        region = CreateRoundRectRgn(a.x, a.y, b.x, b.y, corner, corner);
        break;
    }
    default: {
        std::vector<POINT> points;
        for (int i = 0; i < outline->Count(); ++i)
            points.push_back(outline->GetPoint(i));
        region = CreatePolygonRgn(points.data(), static_cast<int>(points.size()), WINDING);
    }
    }
    if (!region)
        return true;
    OffsetRgn(region, -d, -d);
    const bool inside = PtInRegion(region, X, Y) != FALSE;
    DeleteObject(region);
    return inside;
}

// ---- Painting ------------------------------------------------------------------

void TSCLCustomShapeButton::Draw_Back(TCanvas* Canvas)
{
    if (CheckOptimized() &&
        BackDrawArea(Canvas, ClientRect(), POINT{Left(), Top()}, 0))
        return;
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color());
    Canvas->FillRect(ClientRect());
}

void TSCLCustomShapeButton::Draw_Shape(TCanvas* Canvas, TBrush* Brush, TBitmap* Fill, TColor Back)
{
    const bool pressed_look = Pressed_Look();
    TSCLShadow shadow;
    shadow.Assign(shape->Shadow());
    if (pressed_look)
        shadow.SetDepth(0);
    TSCLSimpleBevel bevel;
    bevel.Assign(shape->Bevel());
    if (style == sbs3D)
        bevel.SetStyle(pressed_look ? sbInset : sbOffset);
    SCLShapeDraw(ClientRect(), Canvas, shape->Shape(), static_cast<TSCLTeeth*>(nullptr), nullptr, shape->Square(),
                 Brush, shape->RoundPercent(), &bevel, style == sbsShadow ? &shadow : nullptr, Fill, Back,
                 Color());
}

void TSCLCustomShapeButton::Paint()
{
    if (Loading())
        return;
    if (mode == sbmShapeFill)
        Paint_Fill();
    else
        Paint_Fast();
}

void TSCLCustomShapeButton::Paint_Fill()
{
    const RECT client = ClientRect();
    const std::size_t key = static_cast<std::size_t>(State()) * 2 + (AllowMouseOver() ? 1 : 0);
    if (!Transparent() && faces[key]) {
        Canvas()->Draw(0, 0, faces[key].get());
        return;
    }
    TBitmap* fill_face = face.get();
    TBitmap shifted;
    if (Pressed_Look() && !face->Empty()) {
        SCLBmpCreateFromRect(&shifted, client, Color());
        shifted.Canvas()->Draw(PressedShift(), PressedShift(), face.get());
        fill_face = &shifted;
    }
    auto offscreen = std::make_unique<TBitmap>();
    offscreen->SetSize(client.right, client.bottom);
    const bool has_back = CheckOptimized();
    Draw_Back(offscreen->Canvas());
    TBrush temporary;
    TBrush* body = &temporary;
    TBitmap* picture = nullptr;
    switch (shape_fill->Style()) {
    case sfNone: temporary.SetStyle(bsClear); break;
    case sfBrushBitmap: temporary.SetBitmap(shape_fill->Bitmap()); break;
    case sfBrush: body = shape->Brush(); break;
    case sfGradient: shape_fill->Gradient()->SetRealPalette(offscreen->Canvas()); [[fallthrough]];
    default: picture = fill_face->Empty() ? nullptr : fill_face;
    }
    Draw_Shape(offscreen->Canvas(), body, picture, Color());
    offscreen->Canvas()->Brush()->SetStyle(bsClear);
    DrawGlyphAndText(offscreen->Canvas(), TextRect());
    RECT painted{};
    if (Transparent() && !has_back)
        SCLBmpDraw(Canvas(), client, offscreen.get(), SCLBD_TRANSPARENT, Color(), painted);
    else
        Canvas()->Draw(0, 0, offscreen.get());
    if (!Transparent())
        faces[key] = std::move(offscreen);
}

void TSCLCustomShapeButton::Paint_Fast()
{
    if (!Transparent() || CheckOptimized())
        Draw_Back(Canvas());
    TBrush state_brush;
    state_brush.Assign(shape->Brush());
    switch (State()) {
    case bsUp: state_brush.SetColor(colors->Up()); break;
    case bsDisabledUp:
    case bsDisabledDown: state_brush.SetColor(colors->Disabled()); break;
    case bsMouseOver: state_brush.SetColor(colors->MouseOver()); break;
    case bsOptionSet:
    case bsDropDownOpen: state_brush.SetColor(colors->OptionSet()); break;
    case bsDown: state_brush.SetColor(colors->Down()); break;
    default: break;
    }
    Draw_Shape(Canvas(), &state_brush, nullptr, Color());
    Canvas()->Brush()->SetStyle(bsClear);
    DrawGlyphAndText(Canvas(), TextRect());
}
