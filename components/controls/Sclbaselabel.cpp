#include "components/controls/Sclbaselabel.h"

#include <algorithm>

#include "components/foundations/Sclclass.h"
#include "platform/classlib/Class_Registry.h"

namespace {

constexpr TColor No_Color = 0x1FFFFFFF;
// The longest period a pool item can hold, as a multiple of the tick.
constexpr std::int32_t Longest_Period = 65500;

const bool Base_Label_Registered = [] {
    const auto flag = [](int index) { return [index](TSCLBaseLabel& label, bool value) { label.SetBool(index, value); }; };
    RegisterClass<TSCLBaseLabel, TSCLBaseGraphicControl>("TSCLBaseLabel")
        .Property("Alignment", Enum_Type<TSCLAlignment>(TSCLEnumInfo<TSCLAlignment>::Names), &TSCLBaseLabel::Alignment,
                  &TSCLBaseLabel::SetAlignment, agTopLeft)
        .Property("AutoSize", Boolean_Type(), &TSCLBaseLabel::AutoSize, flag(0), true)
        .Property("MultiLine", Boolean_Type(), &TSCLBaseLabel::MultiLine, flag(1), false)
        .Property("ShowAccelChar", Boolean_Type(), &TSCLBaseLabel::ShowAccelChar, flag(2), true)
        .Property("Twinkle", Boolean_Type(), &TSCLBaseLabel::Twinkle, flag(3), false)
        .Property("Options", Set_Type<TSCLLabelOption>(TSCLEnumInfo<TSCLLabelOption>::Names), &TSCLBaseLabel::Options,
                  &TSCLBaseLabel::SetOptions)
        .Property("TwinkleVisible", Integer_Type(), &TSCLBaseLabel::TwinkleVisible,
                  &TSCLBaseLabel::SetTwinkleVisible, 700)
        .Property("TwinkleInVisible", Integer_Type(), &TSCLBaseLabel::TwinkleInVisible,
                  &TSCLBaseLabel::SetTwinkleInVisible, 700)
        .Property("TwinkleColor", Color_Type(), &TSCLBaseLabel::TwinkleColor, &TSCLBaseLabel::SetTwinkleColor,
                  No_Color)
        .Component<TWinControl>("FocusControl", &TSCLBaseLabel::FocusControl, &TSCLBaseLabel::SetControl);
    return true;
}();

WORD Pool_Tick()
{
    return SCLApplication->TimerPool()->MinInterval();
}

} // namespace

TSCLBaseLabel::TSCLBaseLabel(TComponent* AOwner) : TSCLBaseGraphicControl(AOwner) {}

TSCLBaseLabel::~TSCLBaseLabel()
{
    Release_Timer();
}

WORD TSCLBaseLabel::PoolInterval(std::int32_t Milliseconds)
{
    const std::int32_t tick = Pool_Tick();
    const std::int32_t ticks = std::max<std::int32_t>(1, (std::clamp(Milliseconds, 0, Longest_Period) + tick / 2) / tick);
    return static_cast<WORD>(ticks * tick);
}

void TSCLBaseLabel::SetAlignment(TSCLAlignment Value)
{
    if (Value == alignment)
        return;
    alignment = Value;
    GetChange(nullptr);
}

void TSCLBaseLabel::SetOptions(TSCLLabelOptions Value)
{
    if (Value == options)
        return;
    options = Value;
    GetChange(nullptr);
}

void TSCLBaseLabel::SetBool(int Index, bool Value)
{
    switch (Index) {
    case 0:
        if (Value == auto_size)
            return;
        auto_size = Value;
        CorrectBounds();
        break;
    case 1:
        if (Value == multi_line)
            return;
        multi_line = Value;
        GetChange(nullptr);
        break;
    case 2:
        if (Value == show_accel_char)
            return;
        show_accel_char = Value;
        InvalidateControl();
        break;
    case 3:
        if (Value == twinkle)
            return;
        twinkle = Value;
        if (twinkle)
            Start_Twinkle();
        else
            Stop_Twinkle();
        break;
    default: break;
    }
}

void TSCLBaseLabel::SetInteger(int Index, std::int32_t Value)
{
    if (Index == 0)
        twinkle_visible = Value;
    else if (Index == 1)
        twinkle_invisible = Value;
}

void TSCLBaseLabel::SetTwinkleColor(TColor Value)
{
    if (Value == twinkle_color)
        return;
    twinkle_color = Value;
    if (!twinkle_shown)
        InvalidateControl();
}

void TSCLBaseLabel::SetControl(TWinControl* Value)
{
    if (Value == focus_control)
        return;
    if (focus_control)
        focus_control->RemoveFreeNotification(this);
    focus_control = Value;
    if (focus_control)
        focus_control->FreeNotification(this);
}

void TSCLBaseLabel::Notification(TComponent* AComponent, TOperation Operation)
{
    TSCLBaseGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == focus_control)
        focus_control = nullptr;
}

void TSCLBaseLabel::Start_Twinkle()
{
    twinkle_shown = true;
    // The pool's tick drives the label; it counts the ticks of each phase
    // itself, so that a phase lasts its own period whatever the pool's
    // phase of the other items.
    const WORD ident = SCLApplication->AddTimer(Pool_Tick(), [this](TObject* Sender) { OnTwinkleTimer(Sender); });
    if (ident == 0)
        return; // the pool is full: the label stays shown
    timer_ident = ident;
    ticks_left = PoolInterval(twinkle_visible) / Pool_Tick();
    if (TSCLTimerItem* item = SCLApplication->GetTimer(ident))
        item->SetEnabled(true);
}

void TSCLBaseLabel::Release_Timer()
{
    if (timer_ident >= 0)
        SCLApplication->RemoveTimer(static_cast<WORD>(timer_ident));
    timer_ident = -1;
}

void TSCLBaseLabel::Stop_Twinkle()
{
    const bool was_hidden = !twinkle_shown;
    Release_Timer();
    twinkle_shown = true;
    if (was_hidden)
        InvalidateControl();
}

void TSCLBaseLabel::OnTwinkleTimer(TObject* /*Sender*/)
{
    if (--ticks_left > 0)
        return;
    twinkle_shown = !twinkle_shown;
    const std::int32_t period = twinkle_shown ? twinkle_visible : twinkle_invisible;
    ticks_left = PoolInterval(period) / Pool_Tick();
    InvalidateControl();
}

int TSCLBaseLabel::GetOptionsFlag() const
{
    int flags = 0;
    if (options.Contains(loPathEllipsis))
        flags |= 0x4000;
    if (options.Contains(loEndEllipsis))
        flags |= 0x8000;
    if (options.Contains(loEditControl))
        flags |= 0x2000;
    return flags;
}

std::string TSCLBaseLabel::GetLabelText()
{
    return Caption();
}

bool TSCLBaseLabel::GetEmpty()
{
    return Transparent() && GetLabelText().empty();
}

void TSCLBaseLabel::GetChange(TObject* /*Sender*/)
{
    CorrectBounds();
    InvalidateControl();
}

void TSCLBaseLabel::FontChange(TObject* Sender)
{
    if (Loading())
        return;
    if (Sender == Font() && ParentFont())
        SetParentFont(false);
    if (!ComponentState().Contains(csReading))
        Canvas()->Font()->Assign(Font());
    GetChange(nullptr);
}

void TSCLBaseLabel::Loaded()
{
    TSCLBaseGraphicControl::Loaded();
    Canvas()->Font()->Assign(Font());
    CorrectBounds();
}

bool TSCLBaseLabel::Dialog_Char(TMessage& Message)
{
    if (!show_accel_char || !focus_control || !Enabled())
        return false;
    if (!IsAccel(static_cast<WORD>(Message.WParam), GetLabelText()) || !focus_control->CanFocus())
        return false;
    focus_control->SetFocus();
    Message.Result = 1;
    return true;
}

void TSCLBaseLabel::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_DIALOGCHAR:
        if (!Dialog_Char(Message))
            TSCLBaseGraphicControl::Dispatch(Message);
        return;
    case CM_FONTCHANGED:
        TSCLBaseGraphicControl::Dispatch(Message);
        if (!font_guard)
            FontChange(Font());
        return;
    case CM_TEXTCHANGED:
        GetChange(nullptr);
        return;
    default: TSCLBaseGraphicControl::Dispatch(Message); return;
    }
}
