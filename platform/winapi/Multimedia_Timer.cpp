#include "platform/winapi/Multimedia_Timer.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <exception>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace {

constexpr UINT Multimedia_Period_Min = 1;
constexpr UINT Multimedia_Period_Max = 1000000;

bool Is_Offered_Period(UINT period)
{
    return period >= Multimedia_Period_Min && period <= Multimedia_Period_Max;
}

// One periodic event: its kernel timer, the eventfd that tells its thread to
// end, and the thread, which keeps the event alive while it runs so that a
// callback may kill its own event.
class Multimedia_Event {
public:
    Multimedia_Event()
        : timer(timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC | TFD_NONBLOCK)),
          stop(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
    {
    }
    ~Multimedia_Event()
    {
        for (const int descriptor : {timer, stop})
            if (descriptor >= 0)
                close(descriptor);
    }
    Multimedia_Event(const Multimedia_Event&) = delete;
    Multimedia_Event& operator=(const Multimedia_Event&) = delete;

    // False when the system has no timer left.
    bool Arm(UINT delay) const
    {
        const timespec period{static_cast<time_t>(delay / 1000), static_cast<long>(delay % 1000) * 1000000L};
        const itimerspec setting{period, period};
        return timer >= 0 && stop >= 0 && timerfd_settime(timer, 0, &setting, nullptr) == 0;
    }

    // Raises std::system_error when no thread can be made.
    static void Start(const std::shared_ptr<Multimedia_Event>& event, UINT id, LPTIMECALLBACK callback,
                      DWORD_PTR user)
    {
        event->thread = std::thread([event, id, callback, user] { event->Watch(id, callback, user); });
    }

    // Once this returns the callback is not running and never runs again.
    void Stop()
    {
        const std::uint64_t one = 1;
        if (write(stop, &one, sizeof one) < 0) {
            // An eventfd write fails only on counter overflow: it is signalled.
        }
        if (thread.get_id() == std::this_thread::get_id())
            thread.detach(); // killed from its own callback, which returns to a stop
        else
            thread.join();
    }

    UINT Delay() const
    {
        itimerspec setting{};
        if (timerfd_gettime(timer, &setting) != 0)
            return 0;
        return static_cast<UINT>(setting.it_interval.tv_sec * 1000 + setting.it_interval.tv_nsec / 1000000);
    }

private:
    void Watch(UINT id, LPTIMECALLBACK callback, DWORD_PTR user) const
    {
        pollfd watched[2] = {{timer, POLLIN, 0}, {stop, POLLIN, 0}};
        for (;;) {
            if (poll(watched, 2, -1) < 0)
                continue; // interrupted
            if (watched[1].revents != 0)
                return;
            std::uint64_t expiries = 0;
            if (read(timer, &expiries, sizeof expiries) == sizeof expiries && expiries > 0)
                callback(id, 0, user, 0, 0);
        }
    }

    const int timer;
    const int stop;
    std::thread thread;
};

// The running events by identifier. Those left running when the program
// ends are stopped before their threads would outlive what they call.
struct Multimedia_Events {
    std::mutex mutex;
    std::map<UINT, std::shared_ptr<Multimedia_Event>> running;
    UINT last_id = 0;

    Multimedia_Events() = default;
    Multimedia_Events(const Multimedia_Events&) = delete;
    Multimedia_Events& operator=(const Multimedia_Events&) = delete;
    ~Multimedia_Events()
    {
        std::map<UINT, std::shared_ptr<Multimedia_Event>> left;
        {
            const std::lock_guard lock(mutex);
            left.swap(running);
        }
        for (auto& [id, event] : left)
            event->Stop();
    }

    // Identifiers are never 0 and never one in use.
    UINT Next_Id()
    {
        do
            ++last_id;
        while (last_id == 0 || running.contains(last_id));
        return last_id;
    }
};

Multimedia_Events& Multimedia_Events_Table()
{
    static Multimedia_Events events;
    return events;
}

// Registered before its thread starts, so that a first callback can kill it.
UINT Start_Multimedia_Event(UINT delay, LPTIMECALLBACK callback, DWORD_PTR user)
{
    auto event = std::make_shared<Multimedia_Event>();
    if (!event->Arm(delay))
        return 0;
    Multimedia_Events& events = Multimedia_Events_Table();
    const std::lock_guard lock(events.mutex);
    const UINT id = events.Next_Id();
    const auto entry = events.running.emplace(id, event).first;
    try {
        Multimedia_Event::Start(event, id, callback, user);
    } catch (...) {
        events.running.erase(entry);
        throw;
    }
    return id;
}

} // namespace

MMRESULT timeGetDevCaps(LPTIMECAPS caps, UINT size)
{
    if (caps == nullptr || size != sizeof(TIMECAPS))
        return TIMERR_NOCANDO;
    caps->wPeriodMin = Multimedia_Period_Min;
    caps->wPeriodMax = Multimedia_Period_Max;
    return TIMERR_NOERROR;
}

MMRESULT timeBeginPeriod(UINT period)
{
    return Is_Offered_Period(period) ? TIMERR_NOERROR : TIMERR_NOCANDO;
}

MMRESULT timeEndPeriod(UINT period)
{
    return Is_Offered_Period(period) ? TIMERR_NOERROR : TIMERR_NOCANDO;
}

MMRESULT timeSetEvent(UINT delay, UINT /*resolution*/, LPTIMECALLBACK callback, DWORD_PTR user, UINT flags)
{
    if (!Is_Offered_Period(delay) || callback == nullptr || (flags & ~TIME_KILL_SYNCHRONOUS) != TIME_PERIODIC)
        return 0;
    try {
        return Start_Multimedia_Event(delay, callback, user);
    } catch (const std::exception&) { // no thread or memory left
        return 0;
    }
}

MMRESULT timeKillEvent(UINT timer_id)
{
    std::shared_ptr<Multimedia_Event> event;
    {
        Multimedia_Events& events = Multimedia_Events_Table();
        const std::lock_guard lock(events.mutex);
        const auto found = events.running.find(timer_id);
        if (found == events.running.end())
            return MMSYSERR_INVALPARAM;
        event = std::move(found->second);
        events.running.erase(found);
    }
    event->Stop();
    return TIMERR_NOERROR;
}

UINT Multimedia_Timer_Delay(UINT timer_id)
{
    Multimedia_Events& events = Multimedia_Events_Table();
    const std::lock_guard lock(events.mutex);
    const auto found = events.running.find(timer_id);
    return found == events.running.end() ? 0 : found->second->Delay();
}
