#include "components/foundations/Scltimer.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <thread>

#include "platform/classlib/Forms.h"
#include "platform/winapi/Window.h"

namespace {

constexpr const char* Timer_Window_Class = "TSCLHiTimerWindow";
constexpr const char* No_Timers_Text = "Pas assez de timers disponibles";

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

// ---- The high-resolution timer ----------------------------------------------

// A periodic timerfd watched by a thread of its own, which posts WM_TIMER
// (wParam the timer's identifier) to the timer's window at each expiry: the
// handler runs on the UI thread, with the kernel timer's resolution. A late
// watcher that finds several expiries posts one message for them.
class TSCLHiResTimer {
public:
    TSCLHiResTimer(unsigned Interval, HWND Window, UINT_PTR Ident)
        : timer(timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC | TFD_NONBLOCK)),
          stop(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
    {
        const timespec period{static_cast<time_t>(Interval / 1000), static_cast<long>(Interval % 1000) * 1000000L};
        const itimerspec setting{period, period};
        if (timer < 0 || stop < 0 || timerfd_settime(timer, 0, &setting, nullptr) != 0) {
            Close();
            throw EOutOfResources(No_Timers_Text);
        }
        watcher = std::thread([this, Window, Ident] { Watch(Window, Ident); });
    }
    ~TSCLHiResTimer()
    {
        const std::uint64_t one = 1;
        if (write(stop, &one, sizeof one) < 0) {
            // An eventfd write fails only on counter overflow: it is signalled.
        }
        watcher.join();
        Close();
    }
    TSCLHiResTimer(const TSCLHiResTimer&) = delete;
    TSCLHiResTimer& operator=(const TSCLHiResTimer&) = delete;

    int Handle() const { return timer; }

private:
    void Watch(HWND Window, UINT_PTR Ident) const
    {
        pollfd watched[2] = {{timer, POLLIN, 0}, {stop, POLLIN, 0}};
        for (;;) {
            if (poll(watched, 2, -1) < 0)
                continue; // interrupted
            if (watched[1].revents != 0)
                return;
            std::uint64_t expiries = 0;
            if (read(timer, &expiries, sizeof expiries) == sizeof expiries && expiries > 0)
                PostMessageA(Window, WM_TIMER, Ident, 0);
        }
    }
    void Close()
    {
        for (int* fd : {&timer, &stop})
            if (*fd >= 0) {
                close(*fd);
                *fd = -1;
            }
    }

    int timer;
    int stop;
    std::thread watcher;
};

// ---- The timer component ----------------------------------------------------

TSCLHiTimer::TSCLHiTimer(TComponent* AOwner) : TSCLHiTimer(AOwner, 1000) {}

TSCLHiTimer::TSCLHiTimer(TComponent* AOwner, unsigned Interval)
    : TSCLCustomComponent(AOwner), interval(std::clamp(Interval, Smallest_Period, Largest_Period))
{
}

TSCLHiTimer::~TSCLHiTimer()
{
    on_timer = nullptr;
    Stop_Timer();
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
    Value = std::clamp(Value, Smallest_Period, Largest_Period);
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
    case 0: return Largest_Period;
    case 1: return Smallest_Period;
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
    hires.reset();
}

int TSCLHiTimer::TimerHandle() const
{
    return hires ? hires->Handle() : -1;
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
    if (!enabled || !on_timer)
        return;
    in_timer = false;
    ++timer_id; // a tick of an earlier timer still queued is not taken for this one's
    if (window == nullptr)
        throw EOutOfResources(No_Timers_Text);
    hires = std::make_unique<TSCLHiResTimer>(interval, window, timer_id);
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
