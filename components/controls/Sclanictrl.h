#pragma once
// The animated image: plays the images of one list as frames, stepped by
// the application's 50 ms timer pool or by a high-resolution timer (on the
// user-interface thread, or from a thread of its own whose ticks are handed
// to the user-interface thread). A transparent one keeps the background
// under it in a bitmap and composes each frame over it.

#include <array>
#include <cstdint>
#include <memory>

#include "components/controls/Sclcustomlimage.h"
#include "components/foundations/Scltimer.h"
#include "platform/classlib/Graphics_Bitmap.h"
#include "platform/classlib/Thread.h"

enum TSCLAnimationStyle { asLoop, asLoopHide, asLoopReverse, asRepeat, asRepeatFirst, asRepeatHide };
template <>
struct TSCLEnumInfo<TSCLAnimationStyle> {
    static constexpr const char* TypeName = "TSCLAnimationStyle";
    static constexpr std::array<const char*, 6> Names{"asLoop",   "asLoopHide",    "asLoopReverse",
                                                      "asRepeat", "asRepeatFirst", "asRepeatHide"};
};

enum TSCLTimerMode { tmGlobalTimer, tmHiTimer, tmThreaded };
template <>
struct TSCLEnumInfo<TSCLTimerMode> {
    static constexpr const char* TypeName = "TSCLTimerMode";
    static constexpr std::array<const char*, 3> Names{"tmGlobalTimer", "tmHiTimer", "tmThreaded"};
};

// Milliseconds.
using TSCLTimerInterval = WORD;

class TSCLAniCtrl : public TSCLCustomLImage {
public:
    // The pool's base period: pool intervals are multiples of it.
    static constexpr TSCLTimerInterval Pool_Period = 50;

    explicit TSCLAniCtrl(TComponent* AOwner);
    ~TSCLAniCtrl() override;

    bool Animate() const { return animate; }
    bool MakeVisible() const { return make_visible; }
    bool UseBitmap() const { return use_bitmap; }
    bool Reverse() const { return reverse; }
    // 0 Animate, 1 MakeVisible, 2 UseBitmap, 3 Reverse.
    void SetBool(int Index, bool Value);
    void SetAnimate(bool Value) { SetBool(0, Value); }
    void SetMakeVisible(bool Value) { SetBool(1, Value); }
    void SetUseBitmap(bool Value) { SetBool(2, Value); }
    void SetReverse(bool Value) { SetBool(3, Value); }

    TSCLAnimationStyle AnimationStyle() const { return animation_style; }
    void SetAniStyle(TSCLAnimationStyle Value);
    TSCLTimerInterval Interval() const { return interval; }
    // A change stops the animation; while loading the value is only stored.
    void SetInterval(TSCLTimerInterval Value);
    BYTE Repetitions() const { return repetitions; }
    // 0 is ignored.
    void SetRepetitions(BYTE Value);
    std::int32_t StartFrame() const { return start_frame; }
    std::int32_t StopFrame() const { return stop_frame; }
    void SetStartFrame(std::int32_t Value);
    void SetStopFrame(std::int32_t Value);
    TSCLTimerMode TimerMode() const { return timer_mode; }
    void SetTimerMode(TSCLTimerMode Value);
    TThreadPriority ThreadPriority() const { return thread_priority; }
    void SetThreadPriority(TThreadPriority Value) { thread_priority = Value; }

    TNotifyEvent OnStart;
    TNotifyEvent OnAnimate;
    TNotifyEvent OnStop;

    void Play();
    void Stop();
    void First();
    void Last();
    void Next();
    void Prev();
    // Only while stopped, and only to a frame in [StartFrame, StopFrame].
    void Move(std::int32_t Frame);
    std::int32_t GetCurrentFrame() const { return ImageIndex(); }
    std::int32_t GetFirstFrame() const { return reverse ? stop_frame : start_frame; }
    std::int32_t GetLastFrame() const { return reverse ? start_frame : stop_frame; }

    // The pool's identifier of this control's timer; 0 when none.
    WORD TimerIdent() const { return timer_ident; }
    // The high-resolution timer of the two other modes.
    TSCLHiTimer* HiTimer() const { return hi_timer.get(); }
    // One step of the animation: what every timer mode calls.
    void Tick(TObject* Sender);
    void PaintImage(bool Full);

    bool GetEmpty() override;
    void GetIMLChange(TObject* Sender) override;
    bool CheckOptimized() override;
    void Invalidate() override;
    void Loaded() override;
    void Dispatch(TMessage& Message) override;

protected:
    void Paint() override;
    void BoundsChange(TSCLBoundsChangeStates State) override;

private:
    void ActivateTimer();
    void DeActivateTimer(TSCLTimerMode Mode);
    void EnableTimer(bool Enable);
    // The step from the last frame of the direction: false when it stopped.
    bool Wrap_Or_Stop(std::int32_t Restart);
    void Refresh_Background();
    void Compose(const RECT& Rect, WORD Flags, bool Over_Background);
    bool Destroying_Now() const { return destroying || ComponentState().Contains(csDestroying); }

    bool animate = false;
    bool make_visible = true;
    bool use_bitmap = true;
    bool reverse = false;
    TSCLAnimationStyle animation_style = asLoop;
    TSCLTimerInterval interval = 200;
    BYTE repetitions = 1;
    std::int32_t start_frame = 0;
    std::int32_t stop_frame = 0;
    TSCLTimerMode timer_mode = tmGlobalTimer;
    TThreadPriority thread_priority = tpNormal;
    bool ascending = true;
    BYTE counter = 0;
    WORD timer_ident = 0;
    std::unique_ptr<TSCLHiTimer> hi_timer;
    std::unique_ptr<TBitmap> background;
    bool refresh_background = true;
    bool destroying = false;
};
