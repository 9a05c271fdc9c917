#include "components/controls/SCLFillObject.h"

#include "components/controls/Sclsettings_Internal.h"
#include "components/controls/Sclshapebase.h"
#include "components/foundations/Sclutils.h"
#include "platform/winapi/Gdi.h"

namespace {

const bool Fill_Object_Registered = [] {
    SCLRegisterBrushClass();
    RegisterClass<TSCLFillObject, TSCLShapeFill>("TSCLFillObject")
        .Property("Alignment", Enum_Type<TSCLAlignment>(TSCLEnumInfo<TSCLAlignment>::Names),
                  &TSCLFillObject::Alignment, &TSCLFillObject::SetAlignment, agTopLeft)
        .Property("OffsetX", Integer_Type(), &TSCLFillObject::OffsetX,
                  [](TSCLFillObject& fill, int value) { fill.SetInteger(0, value); }, 0)
        .Property("OffsetY", Integer_Type(), &TSCLFillObject::OffsetY,
                  [](TSCLFillObject& fill, int value) { fill.SetInteger(1, value); }, 0)
        .Object("Brush", &TSCLFillObject::Brush)
        .Property("Options", Set_Type<TSCLFillOption>(TSCLEnumInfo<TSCLFillOption>::Names),
                  &TSCLFillObject::Options, &TSCLFillObject::SetOptions,
                  TSCLFillOptions{foFillInner, foGrUseBitmap})
        // The fill object starts without a style: sfNone is its default.
        .Property("Style", Enum_Type<TSCLFillStyle>(TSCLEnumInfo<TSCLFillStyle>::Names), &TSCLFillObject::Style,
                  &TSCLFillObject::SetFillStyle, sfNone);
    return true;
}();

void Fill(TCanvas* canvas, const RECT& rect, TColor color)
{
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(color);
    canvas->FillRect(rect);
}

RECT Moved(const RECT& r, int dx, int dy)
{
    return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

RECT Widened(const RECT& r, int n)
{
    return RECT{r.left - n, r.top - n, r.right + n, r.bottom + n};
}

} // namespace

TSCLFillObject::TSCLFillObject() : brush(std::make_unique<TBrush>())
{
    Init_Style(sfNone);
    brush->OnChange = [this](TObject* Sender) { GetChange(Sender); };
}

TSCLFillObject::~TSCLFillObject()
{
    brush->OnChange = nullptr;
}

bool TSCLFillObject::Places_Bitmap() const
{
    return (Style() == sfBitmap || Style() == sfBitmapList) && TileMode() == tmNone;
}

void TSCLFillObject::SetAlignment(TSCLAlignment Value)
{
    if (Value == alignment)
        return;
    alignment = Value;
    if (Places_Bitmap())
        Change();
}

void TSCLFillObject::SetInteger(int Index, int Value)
{
    int& field = Index == 0 ? offset_x : offset_y;
    if (Value == field)
        return;
    field = Value;
    if (Places_Bitmap())
        Change();
}

void TSCLFillObject::SetOptions(TSCLFillOptions Value)
{
    Store(options, Value);
}

void TSCLFillObject::SetBrush(TBrush* Value)
{
    brush->Assign(Value);
}

bool TSCLFillObject::GetTransparent() const
{
    switch (Style()) {
    case sfNone: return true;
    case sfBitmap:
    case sfBitmapList: return GetBitmap()->Transparent();
    default: return false;
    }
}

void TSCLFillObject::Draw_Bitmap(TCanvas* Canvas, const RECT& Rect, TBitmap* Bitmap) const
{
    if (Bitmap->Empty())
        return;
    WORD mode = SCLTileMode2DSF(TileMode());
    const TColor transparent_color = Bitmap->TransparentColor();
    if (Bitmap->Transparent())
        mode |= SCLBD_TRANSPARENT;
    RECT dest = Rect;
    if (TileMode() == tmNone) {
        dest = Moved(SCLAlignRect(alignment, RECT{0, 0, Bitmap->Width(), Bitmap->Height()}, Rect), offset_x,
                     offset_y);
    }
    RECT painted{};
    SCLBmpDraw(Canvas, dest, Bitmap, mode, transparent_color, painted);
}

void TSCLFillObject::FillCanvas(TCanvas* Canvas, const RECT& Rect, TColor BackColor)
{
    if (!Canvas)
        return;
    if (options.Contains(foFillInner))
        Fill(Canvas, Rect, BackColor);
    switch (Style()) {
    case sfNone: break;
    case sfBrush:
        Canvas->SetBrush(brush.get());
        Canvas->FillRect(Rect);
        break;
    case sfBitmap:
    case sfBitmapList: Draw_Bitmap(Canvas, Rect, GetBitmap()); break;
    case sfBrushBitmap:
        if (!Bitmap()->Empty()) {
            Canvas->Brush()->SetBitmap(Bitmap());
            Canvas->FillRect(Rect);
            Canvas->Brush()->SetBitmap(nullptr);
        }
        break;
    case sfGradient:
        Gradient()->SetRealPalette(Canvas);
        Gradient()->PaintGradient(Canvas, Rect);
        break;
    }
}

void TSCLFillObject::ClipFill(TCanvas* Canvas, const RECT& Rect, int Width, TColor BackColor)
{
    if (!Canvas)
        return;
    if (Style() == sfGradient && options.Contains(foGrUseBitmap)) {
        FillCanvas(Canvas, Rect, BackColor);
        return;
    }
    const RECT clip = Width > 0 ? Widened(Rect, Width) : Rect;
    HDC dc = Canvas->Handle();
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    FillCanvas(Canvas, Rect, BackColor);
    RestoreDC(dc, saved);
}

void TSCLFillObject::Assign(TPersistent* Source)
{
    auto* fill = dynamic_cast<TSCLFillObject*>(Source);
    if (!fill) {
        TSCLShapeFill::Assign(Source);
        return;
    }
    BeginUpdate();
    TSCLShapeFill::Assign(fill);
    alignment = fill->alignment;
    offset_x = fill->offset_x;
    offset_y = fill->offset_y;
    brush->Assign(fill->brush.get());
    options = fill->options;
    EndUpdate(true);
}
