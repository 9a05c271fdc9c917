#include "components/controls/SCLCustomSimpleLabel.h"

#include "components/foundations/Sclutils.h"
#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/SysUtils.h"
#include "platform/winapi/Gdi_Text.h"
#include "platform/winapi/Shell.h"

namespace {

constexpr TColor No_Color = 0x1FFFFFFF;
// DrawText flags by TSCLAlignment ordinal.
constexpr int Align_Flags[] = {0x0, 0x1, 0x2, 0x4, 0x5, 0x6, 0x8, 0x9, 0xA};

const bool Custom_Simple_Label_Registered = [] {
    RegisterClass<TSCLCustomSimpleLabel, TSCLBaseLabel>("TSCLCustomSimpleLabel")
        .Object("Font3D", &TSCLCustomSimpleLabel::Font3D)
        .Property("Jump", String_Type(), &TSCLCustomSimpleLabel::Jump, &TSCLCustomSimpleLabel::SetJump, "")
        .Property("ActiveColor", Color_Type(), &TSCLCustomSimpleLabel::ActiveColor,
                  &TSCLCustomSimpleLabel::SetActiveColor, 0x00800080)
        .Property("InActiveColor", Color_Type(), &TSCLCustomSimpleLabel::InActiveColor,
                  &TSCLCustomSimpleLabel::SetInActiveColor, 0x00FF0000)
        .Property("JumpUnderline", Boolean_Type(), &TSCLCustomSimpleLabel::JumpUnderline,
                  &TSCLCustomSimpleLabel::SetJumpUnderLine, true)
        .Property("JumpMode", Enum_Type<TSCLJumpModes>(TSCLEnumInfo<TSCLJumpModes>::Names),
                  &TSCLCustomSimpleLabel::JumpMode, &TSCLCustomSimpleLabel::SetJumpMode, jmNone)
        .DefineProperties(&TSCLCustomSimpleLabel::DefineProperties);
    return true;
}();

bool Contains(const std::string& text, char c)
{
    return text.find(c) != std::string::npos;
}

} // namespace

TSCLCustomSimpleLabel::TSCLCustomSimpleLabel(TComponent* AOwner)
    : TSCLBaseLabel(AOwner), font_3d(new TSCL3DCaption)
{
    font_3d->OnChange = [this](TObject* Sender) { FontChange(Sender); };
}

TSCLCustomSimpleLabel::~TSCLCustomSimpleLabel()
{
    font_3d->OnChange = nullptr;
    delete font_3d;
}

void TSCLCustomSimpleLabel::DefineProperties(TFiler& Filer)
{
    Filer.DefineProperty(
        "UseAsJump", [this](TReader& Reader) { use_as_jump = Reader.ReadBoolean(); }, nullptr, false);
}

void TSCLCustomSimpleLabel::Loaded()
{
    TSCLBaseLabel::Loaded();
    if (use_as_jump)
        SetJumpMode(jmInternet);
}

void TSCLCustomSimpleLabel::SetColor(int Index, TColor Value)
{
    if (Index == 0) {
        active_color = Value;
        return;
    }
    inactive_color = Value;
    if (use_as_jump)
        Set_Jump_Color(Value);
}

void TSCLCustomSimpleLabel::Set_Jump_Color(TColor Value)
{
    // A colour leaves the text's extent as it is: no re-measuring.
    font_guard = true;
    Font()->SetColor(Value);
    font_guard = false;
}

void TSCLCustomSimpleLabel::Set_Underline(bool On)
{
    TFontStyles style = Font()->Style();
    if (On)
        style.Include(fsUnderline);
    else
        style.Exclude(fsUnderline);
    Font()->SetStyle(style);
}

void TSCLCustomSimpleLabel::SetJumpUnderLine(bool Value)
{
    jump_underline = Value;
    if (use_as_jump && Value)
        Set_Underline(true);
}

void TSCLCustomSimpleLabel::SetJumpMode(TSCLJumpModes Value)
{
    if (Value == jump_mode)
        return;
    jump_mode = Value;
    if (Value == jmNone) {
        if (Loading())
            return;
        if (!Designing())
            SetCursor(crDefault);
        Set_Jump_Color(clBlack);
        if (jump_underline)
            Set_Underline(false);
        return;
    }
    ResetCounter();
    if (!Designing())
        SetCursor(crHandPoint);
}

void TSCLCustomSimpleLabel::ResetCounter()
{
    counter = 0;
    Set_Jump_Color(inactive_color);
    if (jump_underline)
        Set_Underline(true);
}

void TSCLCustomSimpleLabel::Execute()
{
    if (jump_mode != jmNone) {
        ++counter;
        Set_Jump_Color(active_color);
    }
    Click();
}

std::string TSCLCustomSimpleLabel::Jump_Target() const
{
    const std::string target = Trim(jump);
    if (!target.empty())
        return target;
    const std::string text = const_cast<TSCLCustomSimpleLabel*>(this)->GetLabelText();
    if (jump_mode == jmInternet && Contains(text, '@'))
        return "mailto:" + text;
    return text;
}

void TSCLCustomSimpleLabel::Open_Jump(const std::string& Target)
{
    const HINSTANCE result = ShellExecuteA(Application->Handle(), nullptr, Target.c_str(), nullptr, nullptr,
                                           SW_SHOWNORMAL);
    if (Shell_Result(result) >= 33)
        return;
    if (jump_mode == jmInternet) {
        // No setter: the font keeps the colours the click gave it.
        jump_mode = jmNone;
        SetEnabled(false);
        InvalidateControl();
    }
    throw EJumpError("Cannot open \"" + Target + "\"");
}

void TSCLCustomSimpleLabel::Click()
{
    switch (jump_mode) {
    case jmInternet:
    case jmApplication: Open_Jump(Jump_Target()); break;
    case jmNone:
    case jmCustom: TSCLBaseLabel::Click(); break;
    }
}

void TSCLCustomSimpleLabel::ActionChange(TObject* Sender, bool CheckDefaults)
{
    if (jump_mode == jmCustom)
        TSCLBaseLabel::ActionChange(Sender, CheckDefaults);
}

void TSCLCustomSimpleLabel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (jump_mode != jmNone && Button == mbLeft) {
        ++counter;
        Set_Jump_Color(active_color);
    }
    TSCLBaseLabel::MouseDown(Button, Shift, X, Y);
}

void TSCLCustomSimpleLabel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (use_as_jump && Button == mbLeft)
        Set_Jump_Color(inactive_color);
    TSCLBaseLabel::MouseUp(Button, Shift, X, Y);
}

void TSCLCustomSimpleLabel::CorrectBounds()
{
    if (!AutoSize() || Loading())
        return;
    RECT measured = ClientRect();
    SCLDrawTextCalc(GetLabelText(), font_3d, measured, Font(), MultiLine(), ShowAccelChar(), 0, GetOptionsFlag());
    SetBounds(Left(), Top(), measured.right - measured.left, measured.bottom - measured.top);
}

int TSCLCustomSimpleLabel::Text_Flags(RECT& Rect, const std::string& Text)
{
    int flags = 0;
    if (!MultiLine())
        flags |= DT_SINGLELINE;
    else if (Alignment() >= agCenterLeft)
        // The text drawer centres single lines only: the block is placed.
        Rect = SCLAlignTextRect(Alignment(), Text, font_3d, Rect, Font(), true, ShowAccelChar(), flags);
    flags |= GetOptionsFlag() | Align_Flags[Alignment()] | DT_WORDBREAK | DT_EXPANDTABS;
    if (!ShowAccelChar())
        flags |= DT_NOPREFIX;
    return flags;
}

void TSCLCustomSimpleLabel::Paint()
{
    if (painting || Loading())
        return;
    if (GetEmpty()) {
        if (Designing())
            DrawDashedFrame();
        return;
    }
    const std::string text = GetLabelText();
    painting = true;
    RECT rect = ClientRect();
    if (!Transparent())
        FillControl();
    const int flags = Text_Flags(rect, text);
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(Font());
    canvas->Brush()->SetColor(Color());
    const bool hidden = Twinkle() && !TwinkleShown();
    if (hidden)
        canvas->Font()->SetColor(TwinkleColor());
    if (!hidden || TwinkleColor() != No_Color)
        SCLDrawTextExt(canvas, text, font_3d, rect, flags,
                       Enabled() ? TSCLDrawTextStyles{dtEnabled} : TSCLDrawTextStyles{dtDisabled});
    painting = false;
}
