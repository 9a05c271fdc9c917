#include "components/foundations/Scltimer.h"

#include <algorithm>
#include <chrono>

#include "platform/classlib/Forms.h"
#include "platform/winapi/Window.h"

namespace {

constexpr const char* Timer_Window_Class = "TSCLHiTimerWindow";
constexpr const char* No_Hi_Timers_Text = "Pas assez de timers disponibles";

// A failure leaves no period: the interval becomes 0, which no multimedia
// timer runs at.
TIMECAPS System_Periods()
{
    TIMECAPS periods{};
    return timeGetDevCaps(&periods, sizeof periods) == TIMERR_NOERROR ? periods : TIMECAPS{};
}

// Runs a tick on the UI thread and hands what it raises to the
// application's exception handling.
void Guarded_Tick(TSCLHiTimer* Timer)
{
    try {
        Timer->Timer();
    } catch (...) {
        if (Application != nullptr)
            Application->HandleException(Timer);
    }
}

} // namespace

// ---- The timer thread -------------------------------------------------------

TSCLThreadedTimer::TSCLThreadedTimer(TSCLHiTimer* Owner, unsigned Interval, bool Synchronized,
                                     TThreadPriority Priority)
    : TThread(true), owner(Owner), interval(Interval), synchronized(Synchronized)
{
    SetPriority(Priority);
    Resume();
}

TSCLThreadedTimer::~TSCLThreadedTimer()
{
    {
        const std::lock_guard lock(mutex);
        stopping = true;
    }
    wake.notify_all();
    Terminate();
    WaitFor();
}

bool TSCLThreadedTimer::Sleep_Interval()
{
    std::unique_lock lock(mutex);
    return !wake.wait_for(lock, std::chrono::milliseconds(interval), [this] { return stopping; });
}

void TSCLThreadedTimer::Execute()
{
    while (!Terminated() && Sleep_Interval())
        Tick_Owner();
}

void TSCLThreadedTimer::Tick_Owner()
{
    // A call queued before the thread was told to end may still be run
    // while the owner waits for it: it must not reach the owner then.
    if (synchronized) {
        Synchronize([this] {
            if (!Terminated())
                Guarded_Tick(owner);
        });
        return;
    }
    std::exception_ptr error;
    try {
        owner->Timer();
    } catch (...) {
        error = std::current_exception();
    }
    if (error)
        Synchronize([this, &error] {
            if (Terminated())
                return;
            try {
                std::rethrow_exception(error);
            } catch (...) {
                if (Application != nullptr)
                    Application->HandleException(owner);
            }
        });
}

// ---- The timer component ----------------------------------------------------

TSCLHiTimer::TSCLHiTimer(TComponent* AOwner) : TSCLHiTimer(AOwner, 1000) {}

TSCLHiTimer::TSCLHiTimer(TComponent* AOwner, unsigned Interval)
    : TSCLCustomComponent(AOwner), periods(System_Periods()),
      interval(std::clamp<unsigned>(Interval, periods.wPeriodMin, periods.wPeriodMax))
{
    timeBeginPeriod(periods.wPeriodMin);
}

TSCLHiTimer::~TSCLHiTimer()
{
    on_timer = nullptr;
    Stop_Timer();
    timeEndPeriod(periods.wPeriodMin);
    enabled = false;
    Free_Window();
}

void TSCLHiTimer::SetEnabled(bool Value)
{
    if (Value == enabled)
        return;
    Stop_Timer();
    enabled = Value;
    Start_Timer();
}

void TSCLHiTimer::SetInterval(unsigned Value)
{
    Value = std::clamp<unsigned>(Value, periods.wPeriodMin, periods.wPeriodMax);
    if (Value == interval)
        return;
    Stop_Timer();
    interval = Value;
    Start_Timer();
}

void TSCLHiTimer::SetSynchronize(bool Value)
{
    if (Value == synchronize)
        return;
    Stop_Timer();
    synchronize = Value;
    Start_Timer();
}

void TSCLHiTimer::SetUseThread(bool Value)
{
    if (Value == use_thread)
        return;
    Stop_Timer();
    use_thread = Value;
    Start_Timer();
}

void TSCLHiTimer::SetThreadPriority(TThreadPriority Value)
{
    if (Value == thread_priority)
        return;
    if (!use_thread) {
        thread_priority = Value;
        return;
    }
    Stop_Timer();
    thread_priority = Value;
    Start_Timer();
}

void TSCLHiTimer::SetOnTimer(TNotifyEvent Value)
{
    Stop_Timer();
    on_timer = std::move(Value);
    Start_Timer();
}

unsigned TSCLHiTimer::GetInteger(int Index) const
{
    switch (Index) {
    case 0: return periods.wPeriodMax;
    case 1: return periods.wPeriodMin;
    default: return 0;
    }
}

void TSCLHiTimer::Timer()
{
    if (on_timer)
        on_timer(this);
}

void TSCLHiTimer::Stop_Timer()
{
    thread.reset();
    if (timer_id != 0)
        timeKillEvent(timer_id);
    timer_id = 0;
}

void TSCLHiTimer::Start_Timer()
{
    if (ComponentState().Contains(csDesigning) || ComponentState().Contains(csDestroying))
        return;
    if (use_thread) {
        Free_Window();
        if (enabled && on_timer)
            thread = std::make_unique<TSCLThreadedTimer>(this, interval, synchronize, thread_priority);
        return;
    }
    Make_Window();
    if (interval == 0 || !enabled || !on_timer)
        return;
    // Each event has an identifier of its own: a tick of an earlier one still
    // queued is not taken for this one's.
    if (window != nullptr)
        timer_id = timeSetEvent(interval, interval, Time_Callback, reinterpret_cast<DWORD_PTR>(window),
                                TIME_PERIODIC);
    in_timer = false;
    if (timer_id == 0)
        throw EOutOfResources(No_Hi_Timers_Text);
}

// Runs on the system's timer thread: only posts.
void TSCLHiTimer::Time_Callback(UINT event_id, UINT /*message*/, DWORD_PTR window, DWORD_PTR, DWORD_PTR)
{
    PostMessageA(reinterpret_cast<HWND>(window), WM_TIMER, event_id, 0);
}

void TSCLHiTimer::Make_Window()
{
    if (window != nullptr)
        return;
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = Window_Proc;
    window_class.lpszClassName = Timer_Window_Class;
    RegisterClassA(&window_class); // fails harmlessly once registered
    window = CreateWindowExA(0, Timer_Window_Class, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    if (window != nullptr)
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void TSCLHiTimer::Free_Window()
{
    if (window == nullptr)
        return;
    if (IsWindow(window))
        DestroyWindow(window);
    window = nullptr;
}

LRESULT TSCLHiTimer::Window_Proc(HWND window, UINT message, WPARAM w_param, LPARAM l_param)
{
    auto* timer = reinterpret_cast<TSCLHiTimer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    return timer != nullptr ? timer->WndProc(message, w_param, l_param)
                            : DefWindowProcA(window, message, w_param, l_param);
}

LRESULT TSCLHiTimer::WndProc(UINT message, WPARAM w_param, LPARAM l_param)
{
    if (message != WM_TIMER || w_param != timer_id)
        return DefWindowProcA(window, message, w_param, l_param);
    if (!in_timer) {
        in_timer = true;
        Guarded_Tick(this);
        in_timer = false;
    }
    return 0;
}
