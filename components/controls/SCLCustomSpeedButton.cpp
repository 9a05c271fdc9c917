#include "components/controls/SCLCustomSpeedButton.h"

#include "components/foundations/Sclutils.h"
#include "platform/classlib/Class_Registry.h"

namespace {

constexpr int Combo_Arrow_Size = 3;

const bool Custom_Speed_Button_Registered = [] {
    RegisterClass<TSCLCustomSpeedButton, TSCLBaseGraphicButton>("TSCLCustomSpeedButton")
        .Property("DropDownCombo", Boolean_Type(), &TSCLCustomSpeedButton::DropDownCombo,
                  &TSCLCustomSpeedButton::SetDropDownCombo, false)
        .Property("DropDownComboWidth", Integer_Type(), &TSCLCustomSpeedButton::DropDownComboWidth,
                  &TSCLCustomSpeedButton::SetDropDownComboWidth, 12)
        .Property("GlyphKind", Enum_Type<TSCLGlyphKind>(TSCLEnumInfo<TSCLGlyphKind>::Names),
                  &TSCLCustomSpeedButton::GlyphKind, &TSCLCustomSpeedButton::SetGlyphKind, gkCustom)
        .Property("Style", Enum_Type<TSCLUserButtonStyle>(TSCLEnumInfo<TSCLUserButtonStyle>::Names),
                  &TSCLCustomSpeedButton::Style, &TSCLCustomSpeedButton::SetStyle, ubsAutoDetect);
    return true;
}();

bool Is_Explorer(TSCLUserButtonStyle Style) { return Style == ubsExplorer || Style == ubsExplorerColored; }

bool Is_Flat_Hover(TSCLUserButtonStyle Style)
{
    return Style == ubsClassicFlat || Style == ubsFlat || Style == ubsFlatUnColored || Style == ubsNavigator;
}

} // namespace

TSCLCustomSpeedButton::TSCLCustomSpeedButton(TComponent* AOwner) : TSCLBaseGraphicButton(AOwner)
{
    SetControlStyle(TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks, csReplicatable});
    SetAllowMouseOver(true);
    SetBounds(Left(), Top(), 23, 22);
}

void TSCLCustomSpeedButton::SetGlyphKind(TSCLGlyphKind Kind)
{
    if (Kind == glyph_kind)
        return;
    glyph_kind = Kind;
    if (Kind != gkCustom) {
        TBitmap stock;
        SCLGetGlyphKind(&stock, Kind);
        SetNumGlyphs(1);
        SetGlyph(&stock);
    } else if (!Loading()) {
        GetIMLChange(nullptr);
    }
}

void TSCLCustomSpeedButton::SetStyle(TSCLUserButtonStyle Value)
{
    if (Value == style)
        return;
    const bool was_explorer = Is_Explorer(style);
    style = Value;
    const bool uncoloured = Value == ubsFlatUnColored || Value == ubsNavigator || Value == ubsExplorer;
    GlyphObject()->SetStyle(uncoloured ? gsExplorer : gsStandard);
    if (Is_Explorer(Value))
        SetTransparent(true);
    else if (was_explorer)
        SetTransparent(false);
    GetChange(nullptr);
}

void TSCLCustomSpeedButton::SetUnColorMain(bool Value)
{
    GlyphObject()->SetStyle(Value ? gsExplorer : gsStandard);
    Invalidate();
}

void TSCLCustomSpeedButton::GetIMLChange(TObject* Sender)
{
    if (glyph_kind == gkCustom)
        TSCLBaseGraphicButton::GetIMLChange(Sender);
}

bool TSCLCustomSpeedButton::HoverRepaints()
{
    return (style >= ubsClassicFlat && style <= ubsExplorerColored) || TSCLBaseGraphicButton::HoverRepaints();
}

bool TSCLCustomSpeedButton::MouseOverRepaints() { return Is_Flat_Hover(style); }

void TSCLCustomSpeedButton::Paint()
{
    if (Loading())
        return;
    const TSCLUserButtonStyle face_style = style;
    const int bevel = SCLGetButtonBevel(face_style, State());
    RECT main = ClientRect();
    RECT combo{};
    const bool has_combo = DropDownCombo();
    if (has_combo) {
        combo = RECT{main.right - DropDownComboWidth(), main.top, main.right, main.bottom};
        main.right = combo.left;
    }
    TCanvas* canvas = Canvas();
    if (Is_Explorer(style)) {
        if (!(CheckOptimized() && BackDrawArea(canvas, ClientRect(), POINT{Left(), Top()}, 0))) {
            canvas->Brush()->SetStyle(bsSolid);
            canvas->Brush()->SetColor(Color());
            canvas->FillRect(ClientRect());
        }
    }
    TSCLButtonState shown = Designing() ? bsMouseOver : State();
    RECT face = main;
    SCLDrawBtnFace(canvas, false, face, face_style,
                   has_combo && shown == bsDropDownOpen ? bsMouseOver : shown, 5, Color());
    if (has_combo) {
        RECT combo_face = combo;
        SCLDrawBtnFace(canvas, false, combo_face, face_style, shown == bsDown ? bsMouseOver : shown, 5, Color());
        SCLDrawTriangle(canvas, combo.left + (DropDownComboWidth() - Combo_Arrow_Size) / 2,
                        (Height() - Combo_Arrow_Size) / 2, Combo_Arrow_Size, clBlack, true, Enabled());
    }
    RECT content{main.left + bevel, main.top + bevel, main.right - bevel, main.bottom - bevel};
    const TSCLButtonState state = State();
    const bool shifted = state == bsOptionSet || state == bsDown || (state == bsDropDownOpen && !has_combo);
    if (shifted)
        content = RECT{content.left + 1, content.top + 1, content.right + 1, content.bottom + 1};
    canvas->Brush()->SetStyle(bsClear);
    DrawGlyphAndText(canvas, content);
}
