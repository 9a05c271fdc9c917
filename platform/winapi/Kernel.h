#pragma once
// The kernel calls the system makes: handles, the thread's last error, events
// and waits, sleeps, the tick and performance counters, the thread id.
//
// A handle names a kernel object kept in one process-wide table, so that a
// stale or made-up handle is refused with ERROR_INVALID_HANDLE instead of
// being dereferenced. A waitable object exposes a descriptor that poll()
// watches (an eventfd for events; a timerfd for waitable timers; a serial
// device's own, readable with input or hung up); the wait answers the lowest
// signalled index and lets that object take its signal.

#include "platform/winapi/WinTypes.h"

#include <cstdint>
#include <limits>
#include <memory>

constexpr DWORD ERROR_SUCCESS = 0;
constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
constexpr DWORD ERROR_ACCESS_DENIED = 5;
constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr DWORD ERROR_WRITE_FAULT = 29;
constexpr DWORD ERROR_READ_FAULT = 30;
constexpr DWORD ERROR_GEN_FAILURE = 31;
constexpr DWORD ERROR_NOT_SUPPORTED = 50;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_DEVICE_NOT_CONNECTED = 1167;

constexpr DWORD INFINITE = 0xFFFFFFFF;
constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_TIMEOUT = 258;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
constexpr DWORD MAXIMUM_WAIT_OBJECTS = 64;

struct SECURITY_ATTRIBUTES {
    DWORD nLength;
    LPVOID lpSecurityDescriptor;
    BOOL bInheritHandle;
};
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;
using LPDWORD = DWORD*;

DWORD GetLastError();
void SetLastError(DWORD error);

// Closes any kernel object: event, timer, serial device.
BOOL CloseHandle(HANDLE handle);

// Unnamed events only; a name is refused with ERROR_NOT_SUPPORTED.
HANDLE CreateEventA(LPSECURITY_ATTRIBUTES attributes, BOOL manual_reset, BOOL initial_state, LPCSTR name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);

// Wait for any one of the objects (wait_all must be FALSE).
DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL wait_all, DWORD milliseconds);
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);

// Sleep(0) gives up the rest of the time slice.
void Sleep(DWORD milliseconds);
// GetTickCount keeps the real clock even under simulated time (below): it
// paces the user interface, not the serial protocol.
// Milliseconds of the monotonic clock, wrapping at 2^32 as on Windows.
DWORD GetTickCount();
// Nanoseconds of the monotonic clock; the frequency is 10^9.
BOOL QueryPerformanceCounter(LARGE_INTEGER* count);
BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency);
DWORD GetCurrentThreadId();

// Simulated time, for tests of the serial protocol's waits. While it is on,
// Sleep, QueryPerformanceCounter and waits with a time-out run on a clock of
// each thread's own, which moves only by that thread's sleeps and waits: no
// other thread's progress, nor when the scheduler runs this one, can change
// what the thread sees. A timed wait that nothing signals moves the clock to
// the first moment an object of the wait is due to be signalled (an
// in-process serial line's next byte) or to its time-out. Off, the real
// clock runs, at the cost of one relaxed load per call.
void Use_Simulated_Time(bool on);
bool Is_Simulated_Time();
// The calling thread's time in nanoseconds: simulated while on, else the
// monotonic clock of QueryPerformanceCounter.
std::int64_t Kernel_Time_Ns();
// Moves the calling thread's simulated time forward to at_ns (never back);
// nothing while simulated time is off.
void Advance_Simulated_Time(std::int64_t at_ns);
// Every simulated sleep and timed wait ends this much later than it would,
// as a thread woken late on a loaded machine; 0 by default.
void Set_Simulated_Lateness(std::int64_t nanoseconds);

constexpr std::int64_t Never_Due = std::numeric_limits<std::int64_t>::max();

// For the platform layer's own objects (events, timers, devices).
class Kernel_Object {
public:
    Kernel_Object() = default;
    virtual ~Kernel_Object() = default;
    Kernel_Object(const Kernel_Object&) = delete;
    Kernel_Object& operator=(const Kernel_Object&) = delete;

    // The descriptor that poll() reports readable while the object is
    // signalled; -1 for an object that cannot be waited on.
    virtual int Wait_Descriptor() const { return -1; }
    // Called when a wait is about to report this object: an auto-reset
    // object takes its signal here. False when another waiter took it first.
    virtual bool Take_Signal() { return true; }
    // Simulated time only: the moment of the waiting thread's clock at which
    // the object turns signalled by itself, Never_Due for none. An object
    // whose moment has come counts as signalled.
    virtual std::int64_t Signal_Due_Ns() const { return Never_Due; }
};

// Enters the object in the handle table; nullptr with
// ERROR_NOT_ENOUGH_MEMORY when the table cannot grow.
HANDLE Register_Handle(std::shared_ptr<Kernel_Object> object);
// The object behind a handle, or nullptr with ERROR_INVALID_HANDLE.
std::shared_ptr<Kernel_Object> Find_Handle_Object(HANDLE handle);

// Same, of one kind; nullptr with ERROR_INVALID_HANDLE for another kind.
template <typename Object>
std::shared_ptr<Object> Find_Handle(HANDLE handle)
{
    auto object = std::dynamic_pointer_cast<Object>(Find_Handle_Object(handle));
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
    }
    return object;
}
