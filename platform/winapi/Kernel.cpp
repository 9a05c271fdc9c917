#include "platform/winapi/Kernel.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>
#include <unordered_map>

namespace {

thread_local DWORD Last_Error = ERROR_SUCCESS;

// Handle values are never reused, so a stale handle cannot reach a newer
// object. They step by 4 as on Windows and never collide with null or
// INVALID_HANDLE_VALUE.
class Handle_Table {
public:
    HANDLE Add(std::shared_ptr<Kernel_Object> object)
    {
        std::lock_guard lock(mutex);
        next_value += 4;
        objects.emplace(next_value, std::move(object));
        return reinterpret_cast<HANDLE>(next_value);
    }

    std::shared_ptr<Kernel_Object> Find(HANDLE handle)
    {
        std::lock_guard lock(mutex);
        auto found = objects.find(reinterpret_cast<std::uintptr_t>(handle));
        return found == objects.end() ? nullptr : found->second;
    }

    // The object lives on while a wait or a call still holds it.
    bool Remove(HANDLE handle)
    {
        std::shared_ptr<Kernel_Object> removed;
        std::lock_guard lock(mutex);
        auto found = objects.find(reinterpret_cast<std::uintptr_t>(handle));
        if (found == objects.end()) {
            return false;
        }
        removed = std::move(found->second);
        objects.erase(found);
        return true;
    }

private:
    std::mutex mutex;
    std::uintptr_t next_value = 0;
    std::unordered_map<std::uintptr_t, std::shared_ptr<Kernel_Object>> objects;
};

Handle_Table& Handles()
{
    static Handle_Table table;
    return table;
}

// An event is an eventfd that is readable while the event is set. Setting
// adds to its counter; resetting, or an auto-reset wait, drains it.
class Event final : public Kernel_Object {
public:
    Event(int descriptor, bool manual) : fd(descriptor), manual_reset(manual) {}
    ~Event() override { close(fd); }

    int Wait_Descriptor() const override { return fd; }
    bool Take_Signal() override { return manual_reset || Drain(); }

    bool Set()
    {
        std::uint64_t one = 1;
        // A full counter (EAGAIN) means the event is already set.
        return write(fd, &one, sizeof one) == sizeof one || errno == EAGAIN;
    }

    bool Drain()
    {
        std::uint64_t count = 0;
        return read(fd, &count, sizeof count) == sizeof count;
    }

private:
    int fd;
    bool manual_reset;
};

std::int64_t Monotonic_Ns()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

constexpr std::int64_t Ns_Per_Ms = 1'000'000;

std::atomic<bool> Simulating {false};
std::atomic<std::int64_t> Lateness_Ns {0};
thread_local std::int64_t Simulated_Now_Ns = 0;

bool Simulated() { return Simulating.load(std::memory_order_relaxed); }

// The thread's clock moves to a wake-up that comes late by the lateness set.
void Wake_Late_At(std::int64_t at_ns)
{
    Simulated_Now_Ns = std::max(Simulated_Now_Ns, at_ns + Lateness_Ns.load(std::memory_order_relaxed));
}

// Poll timeout for what is left of a wait, INFINITE giving -1.
int Remaining_Ms(DWORD milliseconds, std::int64_t deadline_ns)
{
    if (milliseconds == INFINITE) {
        return -1;
    }
    std::int64_t left = deadline_ns - Monotonic_Ns();
    return static_cast<int>(std::clamp<std::int64_t>((left + 999'999) / 1'000'000, 0, INT_MAX));
}

// On the stack: a polling thread waits once per poll, without allocating.
struct Waitables {
    std::array<std::shared_ptr<Kernel_Object>, MAXIMUM_WAIT_OBJECTS> objects;
    std::array<pollfd, MAXIMUM_WAIT_OBJECTS> descriptors;
};

bool Collect_Waitables(DWORD count, const HANDLE* handles, Waitables& waitables)
{
    for (DWORD i = 0; i < count; ++i) {
        auto object = Find_Handle_Object(handles[i]);
        if (!object || object->Wait_Descriptor() < 0) {
            SetLastError(ERROR_INVALID_HANDLE);
            return false;
        }
        waitables.descriptors[i] = {object->Wait_Descriptor(), POLLIN, 0};
        waitables.objects[i] = std::move(object);
    }
    return true;
}

} // namespace

DWORD GetLastError() { return Last_Error; }

void SetLastError(DWORD error) { Last_Error = error; }

HANDLE Register_Handle(std::shared_ptr<Kernel_Object> object)
{
    try {
        return Handles().Add(std::move(object));
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
}

std::shared_ptr<Kernel_Object> Find_Handle_Object(HANDLE handle)
{
    auto object = Handles().Find(handle);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
    }
    return object;
}

BOOL CloseHandle(HANDLE handle)
{
    if (!Handles().Remove(handle)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

HANDLE CreateEventA(LPSECURITY_ATTRIBUTES, BOOL manual_reset, BOOL initial_state, LPCSTR name)
{
    if (name != nullptr) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return nullptr;
    }
    int fd = eventfd(initial_state ? 1 : 0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (fd < 0) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    std::shared_ptr<Event> event;
    try {
        event = std::make_shared<Event>(fd, manual_reset != FALSE);
    } catch (const std::bad_alloc&) {
        close(fd);
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return Register_Handle(std::move(event));
}

BOOL SetEvent(HANDLE handle)
{
    auto event = Find_Handle<Event>(handle);
    return event && event->Set() ? TRUE : FALSE;
}

BOOL ResetEvent(HANDLE handle)
{
    auto event = Find_Handle<Event>(handle);
    if (!event) {
        return FALSE;
    }
    event->Drain();
    return TRUE;
}

namespace {

// Reports the lowest index that is signalled: ready in the poll, or, on
// simulated time, due by now on the thread's clock.
DWORD Signalled_Index(DWORD count, Waitables& waitables, bool with_due)
{
    auto& [objects, descriptors] = waitables;
    for (DWORD i = 0; i < count; ++i) {
        if ((descriptors[i].revents & POLLNVAL) != 0) {
            SetLastError(ERROR_INVALID_HANDLE);
            return WAIT_FAILED;
        }
        // A hung-up device counts as signalled: its next call reports it.
        // A signal taken by another waiter between poll and here is skipped.
        const bool ready = (descriptors[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0 ||
                           (with_due && objects[i]->Signal_Due_Ns() <= Simulated_Now_Ns);
        if (ready && objects[i]->Take_Signal()) {
            return WAIT_OBJECT_0 + i;
        }
    }
    return WAIT_TIMEOUT;
}

DWORD Real_Wait(DWORD count, Waitables& waitables, DWORD milliseconds)
{
    const std::int64_t deadline = Monotonic_Ns() + static_cast<std::int64_t>(milliseconds) * Ns_Per_Ms;
    for (;;) {
        int ready = poll(waitables.descriptors.data(), count, Remaining_Ms(milliseconds, deadline));
        if (ready < 0 && errno != EINTR) {
            SetLastError(ERROR_INVALID_HANDLE);
            return WAIT_FAILED;
        }
        if (ready == 0) {
            return WAIT_TIMEOUT;
        }
        if (ready > 0) {
            const DWORD index = Signalled_Index(count, waitables, false);
            if (index != WAIT_TIMEOUT) {
                return index;
            }
        }
    }
}

// Nothing sleeps on simulated time unless the wait is endless and nothing is
// due: then only another thread can end it, and the wait blocks for real.
DWORD Simulated_Wait(DWORD count, Waitables& waitables, DWORD milliseconds)
{
    const std::int64_t deadline = milliseconds == INFINITE
                                      ? Never_Due
                                      : Simulated_Now_Ns + static_cast<std::int64_t>(milliseconds) * Ns_Per_Ms;
    for (;;) {
        if (poll(waitables.descriptors.data(), count, 0) < 0 && errno != EINTR) {
            SetLastError(ERROR_INVALID_HANDLE);
            return WAIT_FAILED;
        }
        const DWORD index = Signalled_Index(count, waitables, true);
        if (index != WAIT_TIMEOUT) {
            return index;
        }
        std::int64_t due = Never_Due;
        for (DWORD i = 0; i < count; ++i) {
            due = std::min(due, waitables.objects[i]->Signal_Due_Ns());
        }
        if (due <= deadline && due != Never_Due) {
            Wake_Late_At(due);
        } else if (deadline != Never_Due) {
            Wake_Late_At(deadline);
            return WAIT_TIMEOUT;
        } else if (poll(waitables.descriptors.data(), count, -1) < 0 && errno != EINTR) {
            SetLastError(ERROR_INVALID_HANDLE);
            return WAIT_FAILED;
        }
    }
}

} // namespace

DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL wait_all, DWORD milliseconds)
{
    if (count == 0 || count > MAXIMUM_WAIT_OBJECTS || handles == nullptr || wait_all) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return WAIT_FAILED;
    }
    Waitables waitables;
    if (!Collect_Waitables(count, handles, waitables)) {
        return WAIT_FAILED;
    }
    return Simulated() ? Simulated_Wait(count, waitables, milliseconds) : Real_Wait(count, waitables, milliseconds);
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds)
{
    return WaitForMultipleObjects(1, &handle, FALSE, milliseconds);
}

void Sleep(DWORD milliseconds)
{
    if (Simulated()) {
        Wake_Late_At(Simulated_Now_Ns + static_cast<std::int64_t>(milliseconds) * Ns_Per_Ms);
        std::this_thread::yield();
    } else if (milliseconds == 0) {
        std::this_thread::yield();
    } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
}

DWORD GetTickCount()
{
    return static_cast<DWORD>(Monotonic_Ns() / Ns_Per_Ms);
}

BOOL QueryPerformanceCounter(LARGE_INTEGER* count)
{
    if (count == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    count->QuadPart = Kernel_Time_Ns();
    return TRUE;
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency)
{
    if (frequency == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    frequency->QuadPart = 1'000'000'000;
    return TRUE;
}

DWORD GetCurrentThreadId()
{
    return static_cast<DWORD>(syscall(SYS_gettid));
}

void Use_Simulated_Time(bool on)
{
    Simulating.store(on, std::memory_order_relaxed);
}

bool Is_Simulated_Time()
{
    return Simulated();
}

std::int64_t Kernel_Time_Ns()
{
    return Simulated() ? Simulated_Now_Ns : Monotonic_Ns();
}

void Advance_Simulated_Time(std::int64_t at_ns)
{
    if (Simulated()) {
        Simulated_Now_Ns = std::max(Simulated_Now_Ns, at_ns);
    }
}

void Set_Simulated_Lateness(std::int64_t nanoseconds)
{
    Lateness_Ns.store(std::max<std::int64_t>(nanoseconds, 0), std::memory_order_relaxed);
}
