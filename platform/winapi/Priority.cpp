#include "platform/winapi/Priority.h"

#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "platform/winapi/Kernel.h"

namespace {

HANDLE const Current_Process = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));
HANDLE const Current_Thread = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-2));

class Thread_Object : public Kernel_Object {
public:
    explicit Thread_Object(DWORD id) : thread_id(id) {}
    const DWORD thread_id;
};

struct Priorities {
    std::mutex mutex;
    DWORD priority_class = NORMAL_PRIORITY_CLASS;
    std::map<DWORD, int> threads; // by thread id; absent: normal
};

Priorities& State()
{
    static Priorities state;
    return state;
}

bool Valid_Class(DWORD priority_class)
{
    switch (priority_class) {
    case IDLE_PRIORITY_CLASS:
    case BELOW_NORMAL_PRIORITY_CLASS:
    case NORMAL_PRIORITY_CLASS:
    case ABOVE_NORMAL_PRIORITY_CLASS:
    case HIGH_PRIORITY_CLASS:
    case REALTIME_PRIORITY_CLASS:
        return true;
    default:
        return false;
    }
}

bool Valid_Priority(int priority)
{
    return priority == THREAD_PRIORITY_IDLE || priority == THREAD_PRIORITY_TIME_CRITICAL
           || (priority >= THREAD_PRIORITY_LOWEST && priority <= THREAD_PRIORITY_HIGHEST);
}

int Class_Base_Nice(DWORD priority_class)
{
    switch (priority_class) {
    case IDLE_PRIORITY_CLASS: return 15;
    case BELOW_NORMAL_PRIORITY_CLASS: return 5;
    case ABOVE_NORMAL_PRIORITY_CLASS: return -5;
    case HIGH_PRIORITY_CLASS: return -10;
    default: return 0;
    }
}

// The nice value the process started with (a program started under nice
// keeps its place): normal priority in the normal class.
int Start_Nice()
{
    static const int nice = [] {
        errno = 0;
        const int value = getpriority(PRIO_PROCESS, static_cast<id_t>(getpid()));
        return errno == 0 ? value : 0;
    }();
    return nice;
}

struct Scheduling {
    int policy = SCHED_OTHER;
    int real_time_level = 0;
    int nice = 0;
};

Scheduling Scheduling_Of(DWORD priority_class, int priority)
{
    if (priority_class == REALTIME_PRIORITY_CLASS) {
        const int level = priority == THREAD_PRIORITY_IDLE            ? 16
                          : priority == THREAD_PRIORITY_TIME_CRITICAL ? 31
                                                                      : 24 + priority;
        return {SCHED_FIFO, level, 0};
    }
    if (priority == THREAD_PRIORITY_IDLE)
        return {SCHED_IDLE, 0, 19};
    if (priority == THREAD_PRIORITY_TIME_CRITICAL)
        return {SCHED_OTHER, 0, -20};
    return {SCHED_OTHER, 0, std::clamp(Start_Nice() + Class_Base_Nice(priority_class) - 5 * priority, -20, 19)};
}

bool Apply(DWORD thread_id, const Scheduling& scheduling)
{
    const auto tid = static_cast<pid_t>(thread_id);
    sched_param parameters{};
    parameters.sched_priority = scheduling.real_time_level;
    if (scheduling.policy != SCHED_OTHER)
        return sched_setscheduler(tid, scheduling.policy, &parameters) == 0;
    // The nice value first: a thread leaving a real-time level must not
    // pass through a value it may not have.
    if (setpriority(PRIO_PROCESS, static_cast<id_t>(tid), scheduling.nice) != 0)
        return false;
    return sched_setscheduler(tid, SCHED_OTHER, &parameters) == 0;
}

std::optional<DWORD> Thread_Id(HANDLE thread)
{
    if (thread == Current_Thread)
        return GetCurrentThreadId();
    const auto object = Find_Handle<Thread_Object>(thread);
    return object ? std::optional(object->thread_id) : std::nullopt;
}

bool Thread_Exists(DWORD thread_id)
{
    std::error_code error;
    return std::filesystem::exists("/proc/self/task/" + std::to_string(thread_id), error);
}

BOOL Refused()
{
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

} // namespace

HANDLE GetCurrentProcess()
{
    return Current_Process;
}

HANDLE GetCurrentThread()
{
    return Current_Thread;
}

HANDLE OpenThread(DWORD, BOOL, DWORD thread_id)
{
    if (thread_id == 0 || !Thread_Exists(thread_id)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return Register_Handle(std::make_shared<Thread_Object>(thread_id));
}

DWORD GetPriorityClass(HANDLE process)
{
    if (process != Current_Process) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    const std::lock_guard lock(State().mutex);
    return State().priority_class;
}

BOOL SetPriorityClass(HANDLE process, DWORD priority_class)
{
    if (process != Current_Process) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!Valid_Class(priority_class)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::lock_guard lock(State().mutex);
    const DWORD self = GetCurrentThreadId();
    const auto own = State().threads.find(self);
    const int priority = own == State().threads.end() ? THREAD_PRIORITY_NORMAL : own->second;
    if (!Apply(self, Scheduling_Of(priority_class, priority)))
        return Refused();
    State().priority_class = priority_class;
    return TRUE;
}

int GetThreadPriority(HANDLE thread)
{
    const std::optional<DWORD> id = Thread_Id(thread);
    if (!id)
        return THREAD_PRIORITY_ERROR_RETURN;
    const std::lock_guard lock(State().mutex);
    const auto found = State().threads.find(*id);
    return found == State().threads.end() ? THREAD_PRIORITY_NORMAL : found->second;
}

BOOL SetThreadPriority(HANDLE thread, int priority)
{
    const std::optional<DWORD> id = Thread_Id(thread);
    if (!id)
        return FALSE;
    if (!Valid_Priority(priority)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::lock_guard lock(State().mutex);
    if (!Apply(*id, Scheduling_Of(State().priority_class, priority)))
        return Refused();
    if (priority == THREAD_PRIORITY_NORMAL)
        State().threads.erase(*id);
    else
        State().threads[*id] = priority;
    return TRUE;
}
