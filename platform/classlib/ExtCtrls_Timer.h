#pragma once
// The timer component: OnTimer every Interval milliseconds on the UI
// thread while Enabled, from a window timer. An exception raised by the
// handler goes to the application's exception handling; the timer goes on.

#include "platform/classlib/Classes.h"
#include "platform/winapi/Window.h"

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    bool Enabled() const { return enabled; }
    void SetEnabled(bool Value);
    // 0 stops the timer.
    unsigned Interval() const { return interval; }
    void SetInterval(unsigned Value);
    const TNotifyEvent& OnTimer() const { return on_timer; }
    void SetOnTimer(TNotifyEvent Value);

protected:
    virtual void Timer();

private:
    static void Timer_Proc(HWND window, UINT message, UINT_PTR id, DWORD time);
    // Stops the window timer and starts a new one when the timer should run;
    // raises EOutOfResources when no window timer can be had.
    void Update_Timer();

    bool enabled = true;
    unsigned interval = 1000;
    TNotifyEvent on_timer;
    UINT_PTR timer_id = 0;
};
