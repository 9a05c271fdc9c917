#include "components/controls/Sclbasemeter.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "components/foundations/Sclutils.h"
#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/StdCtrls_Published.h"
#include "platform/classlib/SysUtils.h"
#include "platform/winapi/Gdi_Text.h"

namespace {

const bool Base_Meter_Registered = [] {
    RegisterClass<TSCLBaseMeter, TSCLGraphicControl>("TSCLBaseMeter")
        .Property("Alignment", Enum_Type<TAlignment>(Alignment_Names), &TSCLBaseMeter::Alignment,
                  &TSCLBaseMeter::SetAlignment, taCenter)
        .Property("Direction", Enum_Type<TSCLMeterDirection>(TSCLEnumInfo<TSCLMeterDirection>::Names),
                  &TSCLBaseMeter::Direction, &TSCLBaseMeter::SetDirection, mdHorizontal)
        .Object("Font3D", &TSCLBaseMeter::Font3D)
        .Property("MaxValue", Integer_Type(), &TSCLBaseMeter::MaxValue, &TSCLBaseMeter::SetMaxValue, 100)
        .Property("MinValue", Integer_Type(), &TSCLBaseMeter::MinValue, &TSCLBaseMeter::SetMinValue, 0)
        .Property("OptionsText", Enum_Type<TSCLMeterTextOptions>(TSCLEnumInfo<TSCLMeterTextOptions>::Names),
                  &TSCLBaseMeter::OptionsText, &TSCLBaseMeter::SetTextOptions, toNoText)
        .Property("UseFontColor", Boolean_Type(), &TSCLBaseMeter::UseFontColor, &TSCLBaseMeter::SetUseFontColor,
                  false)
        // Meters are opaque from the start.
        .Property("Transparent", Boolean_Type(), &TSCLBaseMeter::Transparent, &TSCLBaseMeter::SetTransparent,
                  false);
    return true;
}();

// DrawText alignment of the bar's text.
UINT Text_Alignment(TAlignment alignment)
{
    switch (alignment) {
    case taRightJustify: return DT_RIGHT;
    case taCenter: return DT_CENTER;
    case taLeftJustify: break;
    }
    return DT_LEFT;
}

} // namespace

TSCLBaseMeter::TSCLBaseMeter(TComponent* AOwner)
    : TSCLGraphicControl(AOwner), font_3d(std::make_unique<TSCL3DCaption>())
{
    DisableTransMode();
    TControlStyle style = ControlStyle();
    style.Exclude(csSetCaption);
    style.Include(csReplicatable);
    SetControlStyle(style);
    Bevel()->BeginUpdate();
    Bevel()->SetBevelStyleOuter(bvLowered);
    Bevel()->EndUpdate(false);
    font_3d->OnChange = [this](TObject* Sender) { GetChange(Sender); };
    SetBounds(Left(), Top(), 80, 20);
}

TSCLBaseMeter::~TSCLBaseMeter()
{
    font_3d->OnChange = nullptr;
}

int TSCLBaseMeter::Extent(int Value, int Length)
{
    return std::min<int>(Length, static_cast<int>(Trunc(Value * 0.01 * Length)));
}

void TSCLBaseMeter::Percent_From_User()
{
    const double span = static_cast<double>(max_value) - min_value;
    const std::int64_t value = Round((static_cast<double>(user_value) - min_value) / span * 100);
    percent = static_cast<TSCLPercent>(std::clamp<std::int64_t>(value, 0, 100));
}

void TSCLBaseMeter::SetMaxValue(std::int32_t Value)
{
    if (Value == max_value || Value == min_value)
        return;
    max_value = std::max(Value, min_value);
    min_value = std::min(Value, min_value);
    if (user_value < min_value || user_value > max_value)
        user_value = max_value;
    Percent_From_User();
    InvalidateControl();
}

void TSCLBaseMeter::SetMinValue(std::int32_t Value)
{
    if (Value == min_value || Value == max_value)
        return;
    min_value = std::min(Value, max_value);
    max_value = std::max(Value, max_value);
    if (user_value < min_value || user_value > max_value)
        user_value = min_value;
    Percent_From_User();
    InvalidateControl();
}

void TSCLBaseMeter::SetUserValue(std::int32_t Value)
{
    // A value outside the range is a bad reading: the meter keeps showing the
    // last good one rather than a full or empty bar.
    if (Value == user_value || Value < min_value || Value > max_value)
        return;
    user_value = Value;
    Percent_From_User();
    Draw();
}

void TSCLBaseMeter::SetPercentValue(int Value)
{
    if (Value == percent)
        return;
    percent = static_cast<TSCLPercent>(std::clamp(Value, 0, 100));
    const double span = static_cast<double>(max_value) - min_value;
    user_value = static_cast<std::int32_t>(Round(percent * 0.01 * span) + min_value);
    Draw();
}

void TSCLBaseMeter::Add(int N)
{
    if (N == 0)
        return;
    percent = static_cast<TSCLPercent>(percent + N >= 100 ? 100 : percent + N);
    Draw();
}

void TSCLBaseMeter::Sub(int N)
{
    if (N == 0)
        return;
    percent = static_cast<TSCLPercent>(percent - N <= 0 ? 0 : percent - N);
    Draw();
}

void TSCLBaseMeter::SetAlignment(TAlignment Value)
{
    if (Value == alignment)
        return;
    alignment = Value;
    InvalidateControl();
}

void TSCLBaseMeter::SetDirection(TSCLMeterDirection Value)
{
    if (Value == direction)
        return;
    direction = Value;
    InvalidateControl();
}

void TSCLBaseMeter::SetTextOptions(TSCLMeterTextOptions Value)
{
    if (Value == options_text)
        return;
    options_text = Value;
    InvalidateControl();
}

void TSCLBaseMeter::SetUseFontColor(bool Value)
{
    if (Value == use_font_color)
        return;
    use_font_color = Value;
    InvalidateControl();
}

void TSCLBaseMeter::Paint()
{
    if (Loading())
        return;
    if (!CorrectBounds()) {
        TCanvas* canvas = Canvas();
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(ClientRect());
        bar_rect = Bevel()->PaintBevel(canvas, ClientRect(), false);
        must_draw = true;
        Draw();
    }
    bounds_changed = false;
}

bool TSCLBaseMeter::BarChanged(int Value, int LastDrawn)
{
    if (Value == LastDrawn)
        return false;
    return Value == 0 || std::abs(Value - LastDrawn) >= delta || options_text == toPercent;
}

bool TSCLBaseMeter::Can_Draw_Now()
{
    const TWinControl* parent = Parent();
    return Visible() && parent && parent->HandleAllocated() && bar_rect.right > bar_rect.left &&
           bar_rect.bottom > bar_rect.top;
}

void TSCLBaseMeter::Draw()
{
    if (drawing || Loading())
        return;
    const int value = GetDrawValue();
    if (!must_draw && !BarChanged(value, last_drawn))
        return;
    if (!Can_Draw_Now())
        return;
    must_draw = false;
    drawing = true;
    SCLBmpCreateFromRect(&bar_bitmap, bar_rect, Color());
    const RECT all{0, 0, bar_bitmap.Width(), bar_bitmap.Height()};
    const int width = all.right;
    const int height = all.bottom;
    RECT filled{};
    RECT rest{};
    switch (direction) {
    case mdHorizontal:
        filled = RECT{0, 0, Extent(value, width), height};
        rest = RECT{filled.right, 0, width, height};
        break;
    case mdVertical:
        filled = RECT{0, 0, width, Extent(value, height)};
        rest = RECT{0, filled.bottom, width, height};
        break;
    case mdHorizontalReverse:
        filled = RECT{width - Extent(value, width), 0, width, height};
        rest = RECT{0, 0, filled.left, height};
        break;
    case mdVerticalReverse:
        filled = RECT{0, height - Extent(value, height), width, height};
        rest = RECT{0, 0, width, filled.top};
        break;
    }
    DrawBar(bar_bitmap.Canvas(), filled, rest, all);
    Canvas()->Draw(bar_rect.left, bar_rect.top, &bar_bitmap);
    ++bar_draws;
    drawing = false;
    last_drawn = value;
}

void TSCLBaseMeter::DrawCaption(TCanvas* Canvas, const RECT& Filled, const RECT& Rest, const RECT& All,
                                bool UseColor, TColor Color)
{
    if (options_text == toNoText)
        return;
    Canvas->Font()->Assign(Font());
    Canvas->Brush()->SetColor(TControl::Color());
    Canvas->Brush()->SetStyle(bsClear);
    std::string text = Caption();
    if (options_text == toPercent) {
        char number[8];
        std::snprintf(number, sizeof number, "%d%%", GetDrawValue() & 0x7F);
        text = number;
    }
    const int flags = static_cast<int>(Text_Alignment(alignment) | DT_SINGLELINE | DT_VCENTER);
    const TSCLDrawTextStyles state = Enabled() ? TSCLDrawTextStyles{dtEnabled} : TSCLDrawTextStyles{dtDisabled};
    if (use_font_color) {
        SCLDrawTextExt(Canvas, text, font_3d.get(), All, flags, state);
        return;
    }
    TSCLDrawTextStyles clipped = state;
    clipped.Include(dtClip);
    Canvas->Font()->SetColor(TControl::Color());
    SCLDrawTextExt(Canvas, text, font_3d.get(), All, flags, clipped, &Filled);
    Canvas->Font()->SetColor(UseColor ? Color : Font()->Color());
    SCLDrawTextExt(Canvas, text, font_3d.get(), All, flags, clipped, &Rest);
}

void TSCLBaseMeter::Dispatch(TMessage& Message)
{
    if (Message.Msg == CM_TEXTCHANGED) {
        InvalidateControl();
        return;
    }
    TSCLGraphicControl::Dispatch(Message);
}
