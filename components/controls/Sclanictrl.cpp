#include "components/controls/Sclanictrl.h"

#include <algorithm>

#include "components/controls/SCLCustomControl.h"
#include "components/foundations/Sclclass.h"
#include "platform/classlib/Class_Registry.h"

namespace {

constexpr const char* Thread_Priority_Names[] = {"tpIdle",   "tpLowest",  "tpLower",       "tpNormal",
                                                 "tpHigher", "tpHighest", "tpTimeCritical"};

const bool Ani_Ctrl_Registered = [] {
    RegisterComponentClass<TSCLAniCtrl, TSCLCustomLImage>("TSCLAniCtrl")
        .Property("Animate", Boolean_Type(), &TSCLAniCtrl::Animate, &TSCLAniCtrl::SetAnimate, false)
        .Stored_If([](const TSCLAniCtrl&) { return false; })
        .Property("AnimationStyle", Enum_Type<TSCLAnimationStyle>(TSCLEnumInfo<TSCLAnimationStyle>::Names),
                  &TSCLAniCtrl::AnimationStyle, &TSCLAniCtrl::SetAniStyle, asLoop)
        .Property("ForceTransparent", Boolean_Type(), &TSCLAniCtrl::ForceTransparent,
                  &TSCLAniCtrl::SetForceTransparent, true)
        .Property(
            "Interval", Integer_Type(0, 0xFFFF), [](const TSCLAniCtrl& control) { return int{control.Interval()}; },
            [](TSCLAniCtrl& control, int value) { control.SetInterval(static_cast<TSCLTimerInterval>(value)); }, 200)
        .Property("MakeVisible", Boolean_Type(), &TSCLAniCtrl::MakeVisible, &TSCLAniCtrl::SetMakeVisible, true)
        .Property(
            "Repetitions", Integer_Type(0, 255), [](const TSCLAniCtrl& control) { return int{control.Repetitions()}; },
            [](TSCLAniCtrl& control, int value) { control.SetRepetitions(static_cast<BYTE>(value)); }, 1)
        .Property("Reverse", Boolean_Type(), &TSCLAniCtrl::Reverse, &TSCLAniCtrl::SetReverse, false)
        .Property("StartFrame", Integer_Type(), &TSCLAniCtrl::StartFrame, &TSCLAniCtrl::SetStartFrame, 0)
        .Property("StopFrame", Integer_Type(), &TSCLAniCtrl::StopFrame, &TSCLAniCtrl::SetStopFrame, 0)
        .Property("ThreadPriority", Enum_Type<TThreadPriority>(Thread_Priority_Names), &TSCLAniCtrl::ThreadPriority,
                  &TSCLAniCtrl::SetThreadPriority, tpNormal)
        .Property("TimerMode", Enum_Type<TSCLTimerMode>(TSCLEnumInfo<TSCLTimerMode>::Names), &TSCLAniCtrl::TimerMode,
                  &TSCLAniCtrl::SetTimerMode, tmGlobalTimer)
        .Property("Transparent", Boolean_Type(), &TSCLAniCtrl::Transparent, &TSCLAniCtrl::SetTransparent, false)
        .Property("UseBitmap", Boolean_Type(), &TSCLAniCtrl::UseBitmap, &TSCLAniCtrl::SetUseBitmap, true)
        .Event("OnAnimate", &TSCLAniCtrl::OnAnimate)
        .Event("OnStart", &TSCLAniCtrl::OnStart)
        .Event("OnStop", &TSCLAniCtrl::OnStop);
    return true;
}();

// A period the pool accepts: Interval rounded up to a multiple of its base.
TSCLTimerInterval Pool_Interval(TSCLTimerInterval Interval)
{
    if (Interval % TSCLAniCtrl::Pool_Period == 0)
        return Interval;
    return static_cast<TSCLTimerInterval>((Interval / TSCLAniCtrl::Pool_Period + 1) * TSCLAniCtrl::Pool_Period);
}

} // namespace

TSCLAniCtrl::TSCLAniCtrl(TComponent* AOwner) : TSCLCustomLImage(AOwner)
{
    DisableTransMode();
    force_transparent = true;
    ActivateTimer();
}

TSCLAniCtrl::~TSCLAniCtrl()
{
    destroying = true;
    Stop();
    DeActivateTimer(timer_mode);
}

// ---- Timers ------------------------------------------------------------------

void TSCLAniCtrl::ActivateTimer()
{
    const TNotifyEvent tick = [this](TObject* Sender) { Tick(Sender); };
    if (timer_mode == tmGlobalTimer) {
        interval = Pool_Interval(interval);
        timer_ident = SCLApplication->AddTimerExt(interval, -1, false, tick);
        if (timer_ident == 0)
            throw EOutOfResources("Pas assez de timers disponibles");
        return;
    }
    hi_timer = std::make_unique<TSCLHiTimer>(nullptr);
    hi_timer->SetUseThread(timer_mode == tmThreaded);
    hi_timer->SetOnTimer(tick);
}

void TSCLAniCtrl::DeActivateTimer(TSCLTimerMode Mode)
{
    if (Mode == tmGlobalTimer) {
        if (timer_ident != 0)
            SCLApplication->RemoveTimer(timer_ident);
        timer_ident = 0;
        return;
    }
    hi_timer.reset();
}

void TSCLAniCtrl::EnableTimer(bool Enable)
{
    if (timer_mode == tmGlobalTimer) {
        TSCLTimerItem* item = SCLApplication->GetTimer(timer_ident);
        if (!item)
            return;
        // The pool takes only multiples of its base: an interval set since
        // the timer was made runs at the next period above it.
        if (Enable)
            item->SetInterval(Pool_Interval(interval));
        item->SetEnabled(Enable);
        return;
    }
    if (!hi_timer)
        return;
    if (Enable) {
        hi_timer->SetInterval(interval);
        hi_timer->SetThreadPriority(thread_priority);
    }
    hi_timer->SetEnabled(Enable);
}

// ---- Playing -------------------------------------------------------------------

void TSCLAniCtrl::Play()
{
    if (Loading() || GetEmpty())
        return;
    Stop();
    if (!Visible()) {
        if (!make_visible)
            return;
        Show();
    }
    ascending = !reverse;
    counter = 0;
    SetImageIndex(GetFirstFrame());
    animate = true;
    if (OnStart)
        OnStart(this);
    PaintImage(true);
    EnableTimer(true);
}

void TSCLAniCtrl::Stop()
{
    if (!animate)
        return;
    EnableTimer(false);
    counter = 0;
    animate = false;
    if (Destroying_Now())
        return;
    switch (animation_style) {
    case asLoop:
    case asLoopReverse:
    case asRepeatFirst:
        SetImageIndex(GetFirstFrame());
        PaintImage(true);
        break;
    case asLoopHide:
    case asRepeatHide:
        if (!Designing())
            Hide();
        break;
    case asRepeat:
        break;
    }
    if (OnStop)
        OnStop(this);
}

void TSCLAniCtrl::First()
{
    if (!GetEmpty())
        Move(GetFirstFrame());
}

void TSCLAniCtrl::Last()
{
    if (!GetEmpty())
        Move(GetLastFrame());
}

void TSCLAniCtrl::Next()
{
    Move(ImageIndex() + (reverse ? -1 : 1));
}

void TSCLAniCtrl::Prev()
{
    Move(ImageIndex() + (reverse ? 1 : -1));
}

void TSCLAniCtrl::Move(std::int32_t Frame)
{
    if (animate || GetEmpty() || Frame < start_frame || Frame > stop_frame)
        return;
    SetImageIndex(Frame);
    PaintImage(true);
}

bool TSCLAniCtrl::Wrap_Or_Stop(std::int32_t Restart)
{
    switch (animation_style) {
    case asLoop:
    case asLoopHide:
        SetImageIndex(Restart);
        return true;
    case asLoopReverse:
        ascending = !ascending;
        return true;
    case asRepeat:
        if (counter + 1 >= repetitions) {
            Stop();
            return false;
        }
        ++counter;
        SetImageIndex(Restart);
        return true;
    case asRepeatFirst:
    case asRepeatHide:
        Stop();
        return false;
    }
    return true;
}

void TSCLAniCtrl::Tick(TObject* /*Sender*/)
{
    if (!animate)
        return;
    if (GetEmpty() || !Visible()) {
        Stop();
        return;
    }
    const std::int32_t frame = ImageIndex();
    if (ascending) {
        if (frame >= stop_frame) {
            if (!Wrap_Or_Stop(start_frame))
                return;
        } else {
            SetImageIndex(frame + 1);
        }
    } else if (frame <= start_frame) {
        if (!Wrap_Or_Stop(stop_frame))
            return;
    } else {
        SetImageIndex(frame - 1);
    }
    if (Transparent() && !use_bitmap)
        Invalidate();
    else
        PaintImage(true);
}

// ---- Settings ------------------------------------------------------------------

void TSCLAniCtrl::SetBool(int Index, bool Value)
{
    switch (Index) {
    case 0:
        if (Loading()) {
            // Played once the layout is read.
            animate = Value;
            return;
        }
        if (Value != animate) {
            if (Value)
                Play();
            else
                Stop();
        }
        break;
    case 1:
        make_visible = Value;
        break;
    case 2:
        if (use_bitmap != Value) {
            use_bitmap = Value;
            GetChange(nullptr);
        }
        break;
    case 3:
        Stop();
        reverse = Value;
        break;
    default:
        break;
    }
}

void TSCLAniCtrl::SetAniStyle(TSCLAnimationStyle Value)
{
    if (animation_style == Value)
        return;
    Stop();
    animation_style = Value;
}

void TSCLAniCtrl::SetRepetitions(BYTE Value)
{
    if (Value == 0 || repetitions == Value)
        return;
    Stop();
    repetitions = Value;
}

void TSCLAniCtrl::SetInterval(TSCLTimerInterval Value)
{
    // A stored interval is kept as read: the timer is made anew at the end
    // of loading.
    if (Loading()) {
        interval = Value;
        return;
    }
    if (interval == Value)
        return;
    Stop();
    interval = Value;
}

void TSCLAniCtrl::SetStartFrame(std::int32_t Value)
{
    if (Loading()) {
        start_frame = Value;
        return;
    }
    if (GetEmpty()) {
        start_frame = 0;
    } else if (Value != start_frame && Value >= 0 && Value <= ImageList()->ItemCount(ListIndex()) - 1) {
        Stop();
        start_frame = std::min(Value, stop_frame);
        stop_frame = std::max(Value, stop_frame);
        Move(Value);
    }
    InvalidateControl();
}

void TSCLAniCtrl::SetStopFrame(std::int32_t Value)
{
    if (Loading()) {
        stop_frame = Value;
        return;
    }
    if (GetEmpty()) {
        stop_frame = 0;
    } else if (Value != stop_frame && Value >= 0 && Value <= ImageList()->ItemCount(ListIndex()) - 1) {
        Stop();
        const std::int32_t start = start_frame;
        start_frame = std::min(Value, start);
        stop_frame = std::max(Value, start);
        Move(Value);
    }
    SetImageIndex(start_frame);
    InvalidateControl();
}

void TSCLAniCtrl::SetTimerMode(TSCLTimerMode Value)
{
    if (timer_mode == Value)
        return;
    if (Loading()) {
        timer_mode = Value;
        return;
    }
    Stop();
    DeActivateTimer(timer_mode);
    timer_mode = Value;
    ActivateTimer();
}

void TSCLAniCtrl::GetIMLChange(TObject* Sender)
{
    if (!Loading()) {
        start_frame = 0;
        stop_frame = 0;
        if (!GetEmpty() && ImageList()->ItemCount(ListIndex()) > 0)
            stop_frame = ImageList()->ItemCount(ListIndex()) - 1;
    }
    SetImageIndex(GetFirstFrame());
    TSCLCustomLImage::GetIMLChange(Sender);
}

bool TSCLAniCtrl::GetEmpty()
{
    return !ImageList() || ImageList()->ItemCount(ListIndex()) < 1 || IMLEmpty();
}

bool TSCLAniCtrl::CheckOptimized()
{
    return (use_bitmap && TSCLCustomLImage::CheckOptimized()) || (SilentMove() && Parent_Offers_Back());
}

void TSCLAniCtrl::Loaded()
{
    TSCLCustomLImage::Loaded();
    // The constructor's pool timer was made with the default interval: the
    // timer of the loaded mode is made with the loaded one.
    DeActivateTimer(tmGlobalTimer);
    ActivateTimer();
    SetImageIndex(GetFirstFrame());
    if (animate) {
        animate = false;
        Play();
    }
}

// ---- Painting ------------------------------------------------------------------

void TSCLAniCtrl::Invalidate()
{
    if (Transparent())
        refresh_background = true;
    TSCLCustomLImage::Invalidate();
}

void TSCLAniCtrl::BoundsChange(TSCLBoundsChangeStates State)
{
    TSCLCustomLImage::BoundsChange(State);
    if (Transparent())
        refresh_background = true;
}

void TSCLAniCtrl::Dispatch(TMessage& Message)
{
    if (Message.Msg == CM_SCLPARENTBACKCHANGED) {
        if (Transparent() || SilentMove()) {
            refresh_background = true;
            Invalidate();
        }
        return;
    }
    if (Message.Msg == CM_SCLTRANSPARENTCHANGED) {
        if (Transparent())
            background = std::make_unique<TBitmap>();
        else
            background.reset();
        refresh_background = true;
        Invalidate();
        return;
    }
    TSCLCustomLImage::Dispatch(Message);
}

// The background under the control: what the parent's chain offers, else
// what the parent has just painted under the control (a windowless control
// paints after its parent's background). Never the screen, which may show
// another window over this one.
void TSCLAniCtrl::Refresh_Background()
{
    if (!background)
        background = std::make_unique<TBitmap>();
    const RECT client = ClientRect();
    background->SetSize(client.right, client.bottom);
    if (!Parent_Back(background->Canvas(), client))
        background->Canvas()->CopyRect(client, Canvas(), client);
    refresh_background = false;
}

void TSCLAniCtrl::Paint()
{
    if (Loading() || CorrectBounds())
        return;
    if (!Transparent() && !SilentMove())
        FillControl();
    if (GetEmpty() && BevelExt() == 0) {
        TSCLBaseGraphicControl::Paint();
        return;
    }
    if (Transparent() && refresh_background)
        Refresh_Background();
    Bevel()->PaintBevel(Canvas(), ClientRect(), Transparent());
    PaintImage(false);
}

void TSCLAniCtrl::Compose(const RECT& Rect, WORD Flags, bool Over_Background)
{
    TBitmap composed;
    const RECT whole{0, 0, Rect.right - Rect.left, Rect.bottom - Rect.top};
    if (Over_Background) {
        composed.SetSize(whole.right, whole.bottom);
        composed.Canvas()->CopyRect(whole, background->Canvas(), Rect);
    } else if (SilentMove() && CheckOptimized()) {
        composed.SetSize(whole.right, whole.bottom);
        if (!Parent_Back(composed.Canvas(), Rect))
            SCLBmpCreateFromRect(&composed, whole, Color());
    } else {
        SCLBmpCreateFromRect(&composed, whole, Color());
    }
    Draw_Item(composed.Canvas(), whole, Flags);
    Realize(composed.Palette());
    Canvas()->Draw(Rect.left, Rect.top, &composed);
}

void TSCLAniCtrl::PaintImage(bool Full)
{
    if (GetEmpty())
        return;
    const RECT rect = BeveledRect();
    const WORD flags = Draw_Flags();
    if (Full && OnAnimate)
        OnAnimate(this);
    if (Transparent() && !SilentMove()) {
        if (refresh_background || !background) {
            // Nothing under the control is known yet: the next paint
            // composes the frame over the background it takes.
            Invalidate();
            return;
        }
        if (use_bitmap) {
            Compose(rect, flags, true);
            return;
        }
    } else if (ImageList()->Masked(ListIndex()) || ForceTransparent()) {
        if (use_bitmap) {
            Compose(rect, flags, false);
            return;
        }
        Canvas()->Brush()->SetStyle(bsSolid);
        Canvas()->Brush()->SetColor(Color());
        Canvas()->FillRect(rect);
    }
    Realize(ImageList()->Palette(ListIndex()));
    Draw_Item(Canvas(), rect, flags);
}
