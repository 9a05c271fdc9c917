#pragma once
// The multimedia timer calls: the period range, raising the timer resolution,
// and periodic timer events whose callback runs on a thread of the system's
// (never the caller's), as the program's high-resolution timer uses them.
//
// Each event is a kernel timer (timerfd) of its delay watched by a thread of
// its own. A thread woken late for several expiries calls the callback once
// for them. The kernel's timers are always as fine as the smallest period,
// so asking for a resolution changes nothing: only its range is checked.
//
// timeKillEvent always waits for a callback that is running (unless called
// from that callback): once it returns, the callback is never called again
// for that event. Events still running when the program ends are stopped.

#include "platform/winapi/WinTypes.h"

#include <cstdint>

using DWORD_PTR = std::uintptr_t;
using MMRESULT = UINT;

constexpr MMRESULT MMSYSERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
constexpr MMRESULT TIMERR_NOERROR = 0;
constexpr MMRESULT TIMERR_NOCANDO = 97;

// Kinds of event: only periodic events calling a function are offered (the
// flags may add TIME_KILL_SYNCHRONOUS, which is how every event is killed);
// a one-shot event or one that signals an event object is refused.
constexpr UINT TIME_ONESHOT = 0x0000;
constexpr UINT TIME_PERIODIC = 0x0001;
constexpr UINT TIME_KILL_SYNCHRONOUS = 0x0100;

struct TIMECAPS {
    UINT wPeriodMin = 0;
    UINT wPeriodMax = 0;
};
using LPTIMECAPS = TIMECAPS*;

// Called with the event's identifier and its user data; the message and the
// two last values are 0.
using LPTIMECALLBACK = void (*)(UINT timer_id, UINT message, DWORD_PTR user, DWORD_PTR reserved1,
                                DWORD_PTR reserved2);

// The periods offered, in milliseconds: 1 to 1000000. TIMERR_NOCANDO for a
// null record or a size other than a TIMECAPS's.
MMRESULT timeGetDevCaps(LPTIMECAPS caps, UINT size);
// TIMERR_NOCANDO for a period outside the range, else TIMERR_NOERROR.
MMRESULT timeBeginPeriod(UINT period);
MMRESULT timeEndPeriod(UINT period);

// Starts an event calling back every delay milliseconds (resolution is
// accepted and ignored). The event's identifier (never 0), or 0 for a delay
// outside the period range, a null callback, a kind not offered, or when the
// system has no timer or thread left.
MMRESULT timeSetEvent(UINT delay, UINT resolution, LPTIMECALLBACK callback, DWORD_PTR user, UINT flags);
// Stops an event; MMSYSERR_INVALPARAM for an identifier of no running event.
MMRESULT timeKillEvent(UINT timer_id);

// The delay a running event's kernel timer was set to, in milliseconds; 0
// for an identifier of no running event. For tests.
UINT Multimedia_Timer_Delay(UINT timer_id);
