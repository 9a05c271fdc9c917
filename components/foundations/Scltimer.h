#pragma once
// The high-resolution timer component: OnTimer every Interval milliseconds,
// either from a thread of its own (UseThread, the default; with Synchronize
// the handler runs on the UI thread while the timer thread waits) or from a
// multimedia timer whose callback posts WM_TIMER to a hidden window, so that
// the handler runs on the UI thread. Every property change restarts it from
// scratch. The timer resolution is raised to the smallest period while the
// timer lives. A handler's exception goes to the application's exception
// handling; the timer goes on.
//
// The timer thread is stopped and waited for before the timer changes or
// goes, so no tick reaches a timer that is being changed or freed.

#include <condition_variable>
#include <memory>
#include <mutex>

#include "components/foundations/Sclcustomcomponent.h"
#include "platform/classlib/Thread.h"
#include "platform/winapi/Message.h"
#include "platform/winapi/Multimedia_Timer.h"

class TSCLHiTimer;

// The timer thread: sleeps Interval ms, then ticks its owner, until it is
// freed. Started at once; freeing it (on the UI thread) wakes it and waits
// until it has ended.
class TSCLThreadedTimer : public TThread {
public:
    // Raises EThread (and never starts) when Priority is refused.
    TSCLThreadedTimer(TSCLHiTimer* Owner, unsigned Interval, bool Synchronized, TThreadPriority Priority);
    ~TSCLThreadedTimer() override;

    unsigned Interval() const { return interval; }

protected:
    void Execute() override;

private:
    // True when the sleep ran its whole length.
    bool Sleep_Interval();
    void Tick_Owner();

    TSCLHiTimer* owner;
    const unsigned interval;
    const bool synchronized;
    std::mutex mutex;
    std::condition_variable wake;
    bool stopping = false;
};

class TSCLHiTimer : public TSCLCustomComponent {
public:
    explicit TSCLHiTimer(TComponent* AOwner);
    TSCLHiTimer(TComponent* AOwner, unsigned Interval);
    ~TSCLHiTimer() override;

    bool Enabled() const { return enabled; }
    void SetEnabled(bool Value);
    unsigned Interval() const { return interval; }
    // Clamped to the periods the system offers (0 becomes the smallest).
    void SetInterval(unsigned Value);
    bool Synchronize() const { return synchronize; }
    void SetSynchronize(bool Value);
    bool UseThread() const { return use_thread; }
    void SetUseThread(bool Value);
    // The timer thread's priority; a change restarts a running thread. A
    // priority the system refuses leaves the timer without a thread and
    // raises EThread from the change that started it.
    TThreadPriority ThreadPriority() const { return thread_priority; }
    void SetThreadPriority(TThreadPriority Value);
    const TNotifyEvent& OnTimer() const { return on_timer; }
    void SetOnTimer(TNotifyEvent Value);

    // 0: the largest period, 1: the smallest, anything else 0.
    unsigned GetInteger(int Index) const;
    // The timer thread, while one runs.
    const TSCLThreadedTimer* Thread() const { return thread.get(); }
    // The multimedia timer's identifier while the timer runs without a
    // thread, else 0.
    UINT TimerID() const { return timer_id; }

    // One tick: OnTimer with the timer as sender.
    virtual void Timer();

private:
    static LRESULT Window_Proc(HWND window, UINT message, WPARAM w_param, LPARAM l_param);
    static void Time_Callback(UINT event_id, UINT message, DWORD_PTR window, DWORD_PTR, DWORD_PTR);
    void Stop_Timer();
    void Start_Timer();
    void Make_Window();
    void Free_Window();
    LRESULT WndProc(UINT message, WPARAM w_param, LPARAM l_param);

    // The periods the system offers, in milliseconds.
    const TIMECAPS periods;
    bool enabled = false;
    unsigned interval = 1000;
    bool synchronize = true;
    bool use_thread = true;
    TThreadPriority thread_priority = tpNormal;
    TNotifyEvent on_timer;
    bool in_timer = false;
    HWND window = nullptr;
    UINT timer_id = 0;
    std::unique_ptr<TSCLThreadedTimer> thread;
};
