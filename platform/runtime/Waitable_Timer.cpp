#include "platform/runtime/Waitable_Timer.h"

#include <algorithm>
#include <cstdint>
#include <ctime>
#include <limits>
#include <new>
#include <sys/timerfd.h>
#include <unistd.h>

namespace {

// Set once, when the program loads the library.
Ordexia_Kernel_Calls Kernel {};

constexpr std::int64_t Ns_Per_Tick = 100;
constexpr std::int64_t Ns_Per_Ms = 1'000'000;
constexpr std::int64_t Ns_Per_Second = 1'000'000'000;
// 1970-01-01 in 100 ns ticks since 1601-01-01.
constexpr std::int64_t Unix_Epoch_Ticks = 116'444'736'000'000'000;
constexpr std::int64_t Max_Ns = std::numeric_limits<std::int64_t>::max();

// A timerfd is readable while an expiry is pending. Reading it takes every
// pending expiry at once, so a late wait sees one signal, as with an
// auto-reset timer; setting it (start or stop) drops what is pending.
class Timer_Object final : public Kernel_Object {
public:
    explicit Timer_Object(int descriptor) : fd(descriptor) {}
    ~Timer_Object() override { close(fd); }

    int Wait_Descriptor() const override { return fd; }

    bool Take_Signal() override
    {
        std::uint64_t expiries = 0;
        return read(fd, &expiries, sizeof expiries) == sizeof expiries;
    }

    // A zero first expiry disarms the timer.
    bool Arm(std::int64_t first_ns, std::int64_t period_ns)
    {
        itimerspec setting {To_Timespec(period_ns), To_Timespec(first_ns)};
        return timerfd_settime(fd, 0, &setting, nullptr) == 0;
    }

private:
    static timespec To_Timespec(std::int64_t ns)
    {
        return {static_cast<time_t>(ns / Ns_Per_Second), static_cast<long>(ns % Ns_Per_Second)};
    }

    int fd;
};

std::int64_t Ticks_To_Ns(std::int64_t ticks)
{
    return ticks > Max_Ns / Ns_Per_Tick ? Max_Ns : ticks * Ns_Per_Tick;
}

std::int64_t Realtime_Ns()
{
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<std::int64_t>(now.tv_sec) * Ns_Per_Second + now.tv_nsec;
}

// Nanoseconds from now to the due time; at least 1, since 0 would disarm.
std::int64_t Due_In_Ns(std::int64_t due_time)
{
    std::int64_t wait = 0;
    if (due_time < 0) {
        wait = Ticks_To_Ns(due_time == std::numeric_limits<std::int64_t>::min() ? Max_Ns : -due_time);
    } else if (due_time > Unix_Epoch_Ticks) {
        wait = Ticks_To_Ns(due_time - Unix_Epoch_Ticks) - Realtime_Ns();
    }
    return std::max<std::int64_t>(wait, 1);
}

BOOL Fail(DWORD error)
{
    if (Kernel.Set_Last_Error != nullptr) {
        Kernel.Set_Last_Error(error);
    }
    return FALSE;
}

} // namespace

struct Ordexia_Timer {
    std::shared_ptr<Timer_Object> object;
    HANDLE handle;
};

BOOL Ordexia_Attach_Kernel(const Ordexia_Kernel_Calls* calls)
{
    if (calls == nullptr || !calls->Register_Handle || !calls->Close_Handle || !calls->Set_Last_Error) {
        return FALSE;
    }
    Kernel = *calls;
    return TRUE;
}

Ordexia_Timer* Ordexia_Timer_Create()
{
    if (Kernel.Register_Handle == nullptr) {
        return nullptr;
    }
    int fd = timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC | TFD_NONBLOCK);
    if (fd < 0) {
        Fail(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    std::shared_ptr<Timer_Object> object;
    try {
        object = std::make_shared<Timer_Object>(fd);
    } catch (const std::bad_alloc&) {
        close(fd);
        Fail(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    HANDLE handle = Kernel.Register_Handle(object);
    if (handle == nullptr) {
        return nullptr;
    }
    auto* timer = new (std::nothrow) Ordexia_Timer {std::move(object), handle};
    if (timer == nullptr) {
        Kernel.Close_Handle(handle);
        Fail(ERROR_NOT_ENOUGH_MEMORY);
    }
    return timer;
}

void Ordexia_Timer_Destroy(Ordexia_Timer* timer)
{
    if (timer != nullptr) {
        Kernel.Close_Handle(timer->handle);
        delete timer;
    }
}

HANDLE Ordexia_Timer_Get_Handle(const Ordexia_Timer* timer)
{
    return timer != nullptr ? timer->handle : nullptr;
}

BOOL Ordexia_Timer_Init(Ordexia_Timer* timer, const LARGE_INTEGER* due_time, LONG period)
{
    if (timer == nullptr || due_time == nullptr || period < 0
        || !timer->object->Arm(Due_In_Ns(due_time->QuadPart), period * Ns_Per_Ms)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    return TRUE;
}

BOOL Ordexia_Timer_Stop(Ordexia_Timer* timer)
{
    if (timer == nullptr || !timer->object->Arm(0, 0)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    return TRUE;
}
