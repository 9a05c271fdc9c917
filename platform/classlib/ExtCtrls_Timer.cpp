#include "platform/classlib/ExtCtrls_Timer.h"

#include <unordered_map>

#include "platform/classlib/Forms.h"

namespace {

std::unordered_map<UINT_PTR, TTimer*> running_timers;

} // namespace

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {}

TTimer::~TTimer()
{
    enabled = false;
    Update_Timer();
}

void TTimer::SetEnabled(bool Value)
{
    if (Value == enabled)
        return;
    enabled = Value;
    Update_Timer();
}

void TTimer::SetInterval(unsigned Value)
{
    if (Value == interval)
        return;
    interval = Value;
    Update_Timer();
}

void TTimer::SetOnTimer(TNotifyEvent Value)
{
    on_timer = std::move(Value);
    Update_Timer();
}

void TTimer::Update_Timer()
{
    if (timer_id) {
        KillTimer(nullptr, timer_id);
        running_timers.erase(timer_id);
        timer_id = 0;
    }
    if (!enabled || interval == 0 || !on_timer)
        return;
    timer_id = SetTimer(nullptr, 0, interval, Timer_Proc);
    if (!timer_id)
        throw EOutOfResources("Not enough timers available");
    running_timers[timer_id] = this;
}

void TTimer::Timer_Proc(HWND, UINT, UINT_PTR id, DWORD)
{
    const auto found = running_timers.find(id);
    if (found == running_timers.end())
        return;
    TTimer* timer = found->second;
    try {
        timer->Timer();
    } catch (...) {
        Application->HandleException(timer);
    }
}

void TTimer::Timer()
{
    if (on_timer)
        on_timer(this);
}
