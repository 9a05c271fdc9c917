#include "components/controls/SCLLEDCustomLabel.h"

#include "components/foundations/Sclutils.h"
#include "platform/classlib/Class_Registry.h"

namespace {

const bool Led_Custom_Label_Registered = [] {
    RegisterClass<TSCLLEDCustomLabel, TSCLGraphicControl>("TSCLLEDCustomLabel")
        .Property("AutoSize", Boolean_Type(), &TSCLLEDCustomLabel::AutoSize, &TSCLLEDCustomLabel::SetAutosize,
                  false)
        .Property("Color", Color_Type(), &TSCLLEDCustomLabel::Color,
                  [](TSCLLEDCustomLabel& label, TColor value) { label.SetColor(value); }, clBlack)
        .Stored_If([](TSCLLEDCustomLabel& label) { return !label.ParentColor(); })
        .Property("Digits", Integer_Type(0, 255), &TSCLLEDCustomLabel::Digits,
                  [](TSCLLEDCustomLabel& label, int value) { label.SetByte(static_cast<BYTE>(value)); }, 2)
        .Object("LED", &TSCLLEDCustomLabel::LED)
        .Property("Style", Enum_Type<TSCLLEDStyle>(TSCLEnumInfo<TSCLLEDStyle>::Names), &TSCLLEDCustomLabel::Style,
                  &TSCLLEDCustomLabel::SetStyle, lsString)
        .Property("Transparent", Boolean_Type(), &TSCLLEDCustomLabel::Transparent,
                  &TSCLLEDCustomLabel::SetTransparent, false)
        .Property("Value", Integer_Type(), &TSCLLEDCustomLabel::Value, &TSCLLEDCustomLabel::SetValue, 0);
    return true;
}();

} // namespace

TSCLLEDCustomLabel::TSCLLEDCustomLabel(TComponent* AOwner)
    : TSCLGraphicControl(AOwner), led(std::make_unique<TSCLLED>())
{
    TControlStyle control_style = ControlStyle();
    control_style.Include(csReplicatable);
    SetControlStyle(control_style);
    DisableTransMode();
    SetColor(clBlack);
    led->SetColor(2, clBlack);
    led->OnChange = [this](TObject* Sender) { GetChange(Sender); };
}

TSCLLEDCustomLabel::~TSCLLEDCustomLabel()
{
    led->OnChange = nullptr;
}

void TSCLLEDCustomLabel::SetAutosize(bool Value)
{
    auto_size = Value;
    GetChange(nullptr);
}

void TSCLLEDCustomLabel::SetStyle(TSCLLEDStyle Value)
{
    style = Value;
    GetChange(nullptr);
}

void TSCLLEDCustomLabel::SetByte(BYTE Value)
{
    if (Value == 0 || Value == digits)
        return;
    digits = Value;
    GetChange(nullptr);
}

void TSCLLEDCustomLabel::SetValue(std::int32_t Value)
{
    value = Value;
    if (style == lsInteger)
        GetChange(nullptr);
}

std::string TSCLLEDCustomLabel::ValueString(std::int32_t V) const
{
    const std::string text = std::to_string(V);
    if (text.size() > digits)
        return std::string(digits, '-');
    return std::string(digits - text.size(), '0') + text;
}

std::string TSCLLEDCustomLabel::GetLabelText()
{
    return style == lsString ? Caption() : ValueString(value);
}

void TSCLLEDCustomLabel::CalcBoundsRect()
{
    const RECT bounds = led->CalcBoundsRect(GetLabelText(), BevelExt());
    SetBounds(Left(), Top(), bounds.right, bounds.bottom);
}

void TSCLLEDCustomLabel::GetChange(TObject* Sender)
{
    if (Loading())
        return;
    if (auto_size)
        CalcBoundsRect();
    TSCLGraphicControl::GetChange(Sender);
}

void TSCLLEDCustomLabel::Loaded()
{
    TSCLGraphicControl::Loaded();
    led->SetColor(2, Color());
    if (auto_size)
        CalcBoundsRect();
}

void TSCLLEDCustomLabel::Dispatch(TMessage& Message)
{
    TSCLGraphicControl::Dispatch(Message);
    if (Message.Msg == CM_TEXTCHANGED)
        GetChange(nullptr);
    else if (Message.Msg == CM_COLORCHANGED)
        led->SetColor(2, Color());
}

void TSCLLEDCustomLabel::Paint()
{
    if (Loading())
        return;
    const std::string text = GetLabelText();
    const RECT inner = Bevel()->PaintBevel(Canvas(), ClientRect(), Transparent());
    const int width = inner.right - inner.left;
    const int height = inner.bottom - inner.top;
    if (width <= 0 || height <= 0)
        return;
    SCLBmpCreateFromRect(&buffer, RECT{0, 0, width, height}, Color());
    led->SetColor(2, Color());
    led->PaintLED(buffer.Canvas(), RECT{0, 0, width, height}, text, true, Enabled());
    if (Transparent()) {
        RECT painted{};
        SCLBmpDraw(Canvas(), inner, &buffer, SCLBD_TRANSPARENT, Color(), painted);
    } else {
        Canvas()->Draw(inner.left, inner.top, &buffer);
    }
}
