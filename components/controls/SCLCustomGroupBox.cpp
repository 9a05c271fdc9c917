#include "components/controls/SCLCustomGroupBox.h"

#include "components/foundations/Sclutils.h"
#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/SysUtils.h"
#include "platform/winapi/Gdi_Text.h"

namespace {

const bool Custom_Group_Box_Registered = [] {
    RegisterClass<TSCLCustomGroupBox, TSCLCustomParentPanel>("TSCLCustomGroupBox")
        .Property("ShowAccelChar", Boolean_Type(), &TSCLCustomGroupBox::ShowAccelChar,
                  &TSCLCustomGroupBox::SetAccelChar, true)
        .Property("Alignment", Enum_Type<TSCLGroupCaptionAlign>(TSCLEnumInfo<TSCLGroupCaptionAlign>::Names),
                  &TSCLCustomGroupBox::Alignment, &TSCLCustomGroupBox::SetAlignCaption, gcaTopLeft)
        .Property("CaptionOffset", Integer_Type(), &TSCLCustomGroupBox::CaptionOffset,
                  &TSCLCustomGroupBox::SetCaptionOffset, 8)
        .Object("CaptionFont", &TSCLCustomGroupBox::CaptionFont)
        .Stored_If([](TSCLCustomGroupBox& box) { return !box.CaptionParentFont(); })
        .Property("CaptionParentFont", Boolean_Type(), &TSCLCustomGroupBox::CaptionParentFont,
                  &TSCLCustomGroupBox::SetCaptionParentFont, true)
        .Object("CaptionFont3D", &TSCLCustomGroupBox::CaptionFont3D);
    return true;
}();

// DrawText alignment flags by TSCLAlignment ordinal.
constexpr UINT Draw_Alignment[] = {0,           DT_CENTER,             DT_RIGHT,
                                   DT_VCENTER,  DT_VCENTER | DT_CENTER, DT_VCENTER | DT_RIGHT,
                                   DT_BOTTOM,   DT_BOTTOM | DT_CENTER,  DT_BOTTOM | DT_RIGHT};

} // namespace

TSCLCustomGroupBox::TSCLCustomGroupBox(TComponent* AOwner)
    : TSCLCustomParentPanel(AOwner), caption_font(std::make_unique<TFont>()),
      caption_font_3d(std::make_unique<TSCL3DCaption>()), fx_caption(std::make_unique<TSCLFxCaption>())
{
    SetControlStyle(
        TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csReplicatable});
    caption_font->OnChange = [this](TObject* Sender) { GetChange(Sender); };
    caption_font_3d->OnChange = [this](TObject* Sender) { GetChange(Sender); };
    Bevel()->BeginUpdate();
    Bevel()->SetMode(bmStandard);
    Bevel()->SetStyle(lsFrameInset);
    Bevel()->EndUpdate(false);
    SetCaptionHeight();
    SetBounds(Left(), Top(), 185, 105);
}

TSCLCustomGroupBox::~TSCLCustomGroupBox()
{
    caption_font->OnChange = nullptr;
    caption_font_3d->OnChange = nullptr;
}

void TSCLCustomGroupBox::SetAccelChar(bool Value)
{
    if (Value == show_accel_char)
        return;
    show_accel_char = Value;
    GetChange(nullptr);
}

void TSCLCustomGroupBox::SetAlignCaption(TSCLGroupCaptionAlign Value)
{
    if (Value == alignment)
        return;
    alignment = Value;
    GetChange(caption_font_3d.get());
    Realign();
}

void TSCLCustomGroupBox::SetCaptionOffset(int Value)
{
    if (Value == caption_offset)
        return;
    caption_offset = Value;
    GetChange(nullptr);
}

void TSCLCustomGroupBox::SetCaptionParentFont(bool Value)
{
    if (Value == caption_parent_font)
        return;
    caption_parent_font = Value;
    if (Parent())
        Perform(CM_PARENTFONTCHANGED, 0, 0);
}

TSCLCustomGroupBox::Side TSCLCustomGroupBox::Caption_Side() const
{
    if (alignment <= gcaTopRight)
        return Side::Top;
    if (alignment <= gcaLeftTop)
        return Side::Left;
    if (alignment <= gcaBottomRight)
        return Side::Bottom;
    return Side::Right;
}

void TSCLCustomGroupBox::SetCaptionHeight()
{
    // Rotated text needs outlines: a bitmap font gives way to Arial.
    measuring = true;
    const Side side = Caption_Side();
    fx_caption->SetAngle(side == Side::Left ? 90 : side == Side::Right ? 270 : 0);
    if (fx_caption->Angle() != 0 && !SCLIsTrueTypeFont(caption_font.get()))
        caption_font->SetName("Arial");
    caption_height = SCLGet3DTextHeight(fx_caption.get(), caption_font.get());
    measuring = false;
}

void TSCLCustomGroupBox::GetChange(TObject* Sender)
{
    if (measuring)
        return;
    if (Sender == caption_font_3d.get()) {
        fx_caption->Assign(caption_font_3d.get());
        SetCaptionHeight();
        if (!Loading())
            Invalidate();
        return;
    }
    if (Sender == caption_font.get()) {
        caption_parent_font = false;
        // A larger caption font needs a taller band.
        SetCaptionHeight();
        if (!Loading())
            Realign();
    }
    TSCLCustomParentPanel::GetChange(Sender);
}

void TSCLCustomGroupBox::Loaded()
{
    TSCLCustomParentPanel::Loaded();
    SetCaptionHeight();
    Realign();
}

void TSCLCustomGroupBox::AlignControls(TControl* AControl, RECT& Rect)
{
    switch (Caption_Side()) {
    case Side::Top: Rect.top += caption_height; break;
    case Side::Left: Rect.left += caption_height; break;
    case Side::Bottom: Rect.bottom -= caption_height; break;
    case Side::Right: Rect.right -= caption_height; break;
    }
    TSCLCustomParentPanel::AlignControls(AControl, Rect);
}

TSCLAlignment TSCLCustomGroupBox::Text_Alignment() const
{
    switch (alignment) {
    case gcaTopCenter: return agTopCenter;
    case gcaTopRight:
    case gcaRightTop: return agTopRight;
    case gcaLeftBottom:
    case gcaBottomLeft: return agBottomLeft;
    case gcaLeftCenter: return agCenterLeft;
    case gcaBottomCenter: return agBottomCenter;
    case gcaBottomRight:
    case gcaRightBottom: return agBottomRight;
    case gcaRightCenter: return agCenterRight;
    case gcaTopLeft:
    case gcaLeftTop: break;
    }
    return agTopLeft;
}

RECT TSCLCustomGroupBox::CaptionBand()
{
    const bool start = alignment == gcaTopLeft || alignment == gcaLeftBottom || alignment == gcaBottomLeft ||
                       alignment == gcaRightTop;
    const bool end = alignment == gcaTopRight || alignment == gcaLeftTop || alignment == gcaBottomRight ||
                     alignment == gcaRightBottom;
    const int a = start ? caption_offset : 0;
    const int b = end ? caption_offset : 0;
    const int h = caption_height;
    const int w = Width();
    const int height = Height();
    switch (Caption_Side()) {
    case Side::Top: return RECT{a, 0, w - b, h};
    case Side::Left: return RECT{0, b, h, height - a};
    case Side::Bottom: return RECT{a, height - h, w - b, height};
    case Side::Right: return RECT{w - h, a + 2, w, height - b};
    }
    return RECT{};
}

RECT TSCLCustomGroupBox::BevelRect()
{
    const int hh = caption_height / 2 - 1;
    const int w = Width();
    const int h = Height();
    switch (Caption_Side()) {
    case Side::Top: return RECT{0, hh, w, h};
    case Side::Left: return RECT{hh, 0, w, h};
    case Side::Bottom: return RECT{0, 0, w, h - hh};
    case Side::Right: return RECT{0, 0, w - hh, h};
    }
    return RECT{};
}

RECT TSCLCustomGroupBox::CaptionTextRect()
{
    return SCLAlignTextRect(Text_Alignment(), Caption(), fx_caption.get(), CaptionBand(), caption_font.get(), false,
                            show_accel_char, 0);
}

void TSCLCustomGroupBox::Paint()
{
    if (Loading())
        return;
    FillControl();
    TCanvas* canvas = Canvas();
    if (Trim(Caption()).empty()) {
        Bevel()->PaintBevel(canvas, ClientRect(), true);
        return;
    }
    Bevel()->PaintBevel(canvas, BevelRect(), true);
    const RECT text = CaptionTextRect();
    UINT flags = Draw_Alignment[Text_Alignment()] | DT_SINGLELINE | DT_EXPANDTABS;
    if (!show_accel_char)
        flags |= DT_NOPREFIX;
    // The frame line is cut out under the text, a little wider at its start.
    RECT under = text;
    switch (Caption_Side()) {
    case Side::Top:
    case Side::Bottom: under.left -= 2; break;
    case Side::Left: under.bottom += 2; break;
    case Side::Right: under.top -= 2; break;
    }
    RepBack(under);
    canvas->Brush()->SetColor(Color());
    canvas->Font()->Assign(caption_font.get());
    SCLDrawTextExt(canvas, Caption(), fx_caption.get(), text, static_cast<int>(flags),
                   Enabled() ? TSCLDrawTextStyles{dtEnabled} : TSCLDrawTextStyles{dtDisabled});
    canvas->Font()->Assign(Font());
}

bool TSCLCustomGroupBox::Dialog_Char(TMessage& Message)
{
    if (!IsAccel(static_cast<WORD>(Message.WParam), Caption()) || !CanFocus())
        return false;
    if (TWinControl* first = FindNextControl(nullptr, true, true))
        first->SetFocus();
    Message.Result = 1;
    return true;
}

void TSCLCustomGroupBox::Parent_Font_Changed(TMessage& Message)
{
    TSCLCustomParentPanel::Dispatch(Message);
    if (!caption_parent_font)
        return;
    if (Message.WParam)
        caption_font->Assign(reinterpret_cast<TFont*>(Message.LParam));
    else
        caption_font->Assign(Font());
    caption_parent_font = true;
}

void TSCLCustomGroupBox::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_DIALOGCHAR:
        if (!Dialog_Char(Message))
            TSCLCustomParentPanel::Dispatch(Message);
        return;
    case CM_ENABLEDCHANGED:
        TSCLCustomParentPanel::Dispatch(Message);
        Repaint();
        return;
    case CM_PARENTFONTCHANGED: Parent_Font_Changed(Message); return;
    case CM_TEXTCHANGED:
        Invalidate();
        Realign();
        return;
    default: TSCLCustomParentPanel::Dispatch(Message); return;
    }
}
