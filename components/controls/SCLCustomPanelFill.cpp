#include "components/controls/SCLCustomPanelFill.h"

#include "components/foundations/Sclutils.h"
#include "platform/classlib/Class_Registry.h"
#include "platform/winapi/Gdi_Text.h"

namespace {

const bool Panel_Fill_Registered = [] {
    RegisterClass<TSCLCustomPanelFill, TSCLCustomParentPanel>("TSCLCustomPanelFill")
        .Property("Alignment", Enum_Type<TSCLAlignment>(TSCLEnumInfo<TSCLAlignment>::Names),
                  &TSCLCustomPanelFill::Alignment, &TSCLCustomPanelFill::SetAlignment, agCenter)
        .Object("FillObject", &TSCLCustomPanelFill::FillObject)
        .Object("FontFX", &TSCLCustomPanelFill::FontFX)
        .Property("TransparentBorder", Boolean_Type(), &TSCLCustomPanelFill::TransparentBorder,
                  &TSCLCustomPanelFill::SetTransparentBorder, false);
    return true;
}();

constexpr int Caption_Format = DT_EXPANDTABS | DT_WORDBREAK;

} // namespace

TSCLCustomPanelFill::TSCLCustomPanelFill(TComponent* AOwner)
    : TSCLCustomParentPanel(AOwner), font_fx(std::make_unique<TSCLFxCaption>()),
      fill_object(std::make_unique<TSCLFillObject>())
{
    TControlStyle style = ControlStyle();
    style.Include(csSetCaption);
    SetControlStyle(style);
    font_fx->OnChange = [this](TObject* Sender) { GetChange(Sender); };
    fill_object->OnChange = [this](TObject* Sender) { GetChange(Sender); };
}

TSCLCustomPanelFill::~TSCLCustomPanelFill()
{
    font_fx->OnChange = nullptr;
    fill_object->OnChange = nullptr;
}

void TSCLCustomPanelFill::SetAlignment(TSCLAlignment Value)
{
    if (alignment == Value)
        return;
    alignment = Value;
    Invalidate();
}

void TSCLCustomPanelFill::SetTransparentBorder(bool Value)
{
    if (transparent_border == Value)
        return;
    transparent_border = Value;
    Invalidate();
}

void TSCLCustomPanelFill::CreateBack(bool Force)
{
    if (Loading() || Destroying_State())
        return;
    if (fill_object->GetEmpty() || Transparent()) {
        Free_Back();
        return;
    }
    // A gradient follows the size: it is always redrawn.
    if (!Prepare_Back(Force || fill_object->Style() == sfGradient))
        return;
    TBitmap* back = OwnBackBitmap();
    fill_object->FillCanvas(back->Canvas(), RECT{0, 0, back->Width(), back->Height()}, Color());
    back->SetPixelFormat(pf24bit);
    BackFX()->Draw(back);
}

void TSCLCustomPanelFill::GetChange(TObject* Sender)
{
    TSCLCustomParentPanel::GetChange(Sender);
    if (Sender == font_fx.get()) {
        // A rotated caption needs outlines.
        if (font_fx->Angle() != 0 && !SCLIsTrueTypeFont(Font()))
            font_fx->SetAngle(0);
        Notify_Controls(CM_SCLCAPTIONCHANGED);
        return;
    }
    if (Loading())
        return;
    if (Sender == fill_object.get() || Sender == BackFX()) {
        CreateBack(true);
        Notify_Back_Changed();
    } else if (Sender == Bevel()) {
        Notify_Controls(CM_SCLBEVELCHANGED);
    }
}

bool TSCLCustomPanelFill::GetEmpty()
{
    return TSCLCustomParentPanel::GetEmpty() && Caption().empty() && fill_object->GetEmpty();
}

void TSCLCustomPanelFill::GetIMLChange(TObject* /*Sender*/)
{
    if (IMLEmpty()) {
        fill_object->SetListBitmap(nullptr);
    } else {
        TBitmap item;
        ImageList()->GetBitmapItem(ListIndex(), ImageIndex(), &item);
        fill_object->SetListBitmap(&item);
    }
    GetChange(fill_object.get());
}

void TSCLCustomPanelFill::Loaded()
{
    TSCLCustomParentPanel::Loaded();
    CreateBack(true);
}

void TSCLCustomPanelFill::Dispatch(TMessage& Message)
{
    TSCLCustomParentPanel::Dispatch(Message);
    switch (Message.Msg) {
    case CM_ENABLEDCHANGED:
    case CM_TEXTCHANGED: GetChange(nullptr); break;
    case CM_FONTCHANGED: GetChange(font_fx.get()); break;
    default: break;
    }
}

void TSCLCustomPanelFill::Resize()
{
    TSCLCustomParentPanel::Resize();
    if (fill_object->Style() == sfGradient)
        Notify_Controls(CM_SCLBEVELCHANGED);
}

void TSCLCustomPanelFill::Paint()
{
    if (Loading())
        return;
    FillControl();
    if (Designing() && GetEmpty()) {
        DrawDashedFrame();
        return;
    }
    const RECT inner = Bevel()->PaintBevel(Canvas(), ClientRect(), Transparent());
    DrawCaption(inner, alignment);
}

void TSCLCustomPanelFill::DrawCaption(const RECT& Rect, TSCLAlignment AAlignment)
{
    const std::string& text = Caption();
    if (text.empty())
        return;
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    canvas->Brush()->SetStyle(bsClear);
    const RECT placed = SCLAlignTextRect(AAlignment, text, font_fx.get(), Rect, Font(), false, true, Caption_Format);
    SCLDrawTextExt(canvas, text, font_fx.get(), placed, Caption_Format,
                   TSCLDrawTextStyles{Enabled() ? dtEnabled : dtDisabled});
}
