#include "platform/winapi/Multimedia_Timer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

namespace {

// What a timer's callbacks saw.
struct Callback_Record {
    std::thread::id test_thread = std::this_thread::get_id();
    std::atomic<int> calls = 0;
    std::atomic<UINT> last_id = 0;
    std::atomic<bool> all_arguments_as_given = true;
    std::atomic<bool> all_on_another_thread = true;
    std::atomic<MMRESULT> own_kill = TIMERR_NOCANDO;
};

void Record_Callback(UINT timer_id, UINT message, DWORD_PTR user, DWORD_PTR reserved1, DWORD_PTR reserved2)
{
    auto* record = reinterpret_cast<Callback_Record*>(user);
    record->last_id = timer_id;
    if (message != 0 || reserved1 != 0 || reserved2 != 0)
        record->all_arguments_as_given = false;
    if (std::this_thread::get_id() == record->test_thread)
        record->all_on_another_thread = false;
    ++record->calls;
}

void Kill_Own_Event(UINT timer_id, UINT message, DWORD_PTR user, DWORD_PTR reserved1, DWORD_PTR reserved2)
{
    auto* record = reinterpret_cast<Callback_Record*>(user);
    if (record->calls == 0)
        record->own_kill = timeKillEvent(timer_id);
    Record_Callback(timer_id, message, user, reserved1, reserved2);
}

// Waits for the condition within a limit generous enough for any load.
bool Wait_Generously(const std::function<bool()>& condition)
{
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > limit)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Proves that time has passed for timers: another event calls back three times.
void Let_Timers_Run()
{
    Callback_Record witness;
    const UINT id = timeSetEvent(1, 1, Record_Callback, reinterpret_cast<DWORD_PTR>(&witness), TIME_PERIODIC);
    ASSERT_NE(id, 0u);
    EXPECT_TRUE(Wait_Generously([&] { return witness.calls >= 3; }));
    EXPECT_EQ(timeKillEvent(id), TIMERR_NOERROR);
}

} // namespace

TEST(Multimedia_Timer, ThePeriodRangeIsOneMillisecondToOneMillionAndBoundsTheResolutionAsked)
{
    TIMECAPS caps;
    ASSERT_EQ(timeGetDevCaps(&caps, sizeof caps), TIMERR_NOERROR);
    EXPECT_EQ(caps.wPeriodMin, 1u);
    EXPECT_EQ(caps.wPeriodMax, 1000000u);
    EXPECT_EQ(timeGetDevCaps(nullptr, sizeof caps), TIMERR_NOCANDO);
    EXPECT_EQ(timeGetDevCaps(&caps, sizeof caps - 1), TIMERR_NOCANDO);

    const struct {
        UINT period;
        MMRESULT answer;
    } table[] = {{0, TIMERR_NOCANDO}, {1, TIMERR_NOERROR}, {15, TIMERR_NOERROR},
                 {1000000, TIMERR_NOERROR}, {1000001, TIMERR_NOCANDO}};
    for (const auto& row : table) {
        EXPECT_EQ(timeBeginPeriod(row.period), row.answer) << row.period;
        EXPECT_EQ(timeEndPeriod(row.period), row.answer) << row.period;
    }
}

TEST(Multimedia_Timer, EventsOutsideThePeriodsWithoutACallbackOrOfAnotherKindAreRefused)
{
    Callback_Record record;
    const auto user = reinterpret_cast<DWORD_PTR>(&record);
    const struct {
        UINT delay;
        LPTIMECALLBACK callback;
        UINT flags;
    } table[] = {
        {0, Record_Callback, TIME_PERIODIC},
        {1000001, Record_Callback, TIME_PERIODIC},
        {5, nullptr, TIME_PERIODIC},
        {5, Record_Callback, TIME_ONESHOT},
        {5, Record_Callback, TIME_PERIODIC | 0x0010}, // signal an event object
    };
    for (const auto& row : table)
        EXPECT_EQ(timeSetEvent(row.delay, 0, row.callback, user, row.flags), 0u) << row.delay << " " << row.flags;
    EXPECT_EQ(record.calls, 0);
}

TEST(Multimedia_Timer, APeriodicEventCallsBackOnAnotherThreadWithItsIdentifierAndUserData)
{
    Callback_Record record;
    const UINT id = timeSetEvent(2, 2, Record_Callback, reinterpret_cast<DWORD_PTR>(&record),
                                 TIME_PERIODIC | TIME_KILL_SYNCHRONOUS);
    ASSERT_NE(id, 0u);
    EXPECT_EQ(Multimedia_Timer_Delay(id), 2u);
    EXPECT_TRUE(Wait_Generously([&] { return record.calls >= 5; })) << "calls again and again";
    EXPECT_EQ(timeKillEvent(id), TIMERR_NOERROR);
    EXPECT_EQ(record.last_id, id);
    EXPECT_TRUE(record.all_arguments_as_given);
    EXPECT_TRUE(record.all_on_another_thread);
}

TEST(Multimedia_Timer, AKilledEventNeverCallsBackAgainAndItsIdentifierIsRefusedThen)
{
    Callback_Record record;
    const UINT id = timeSetEvent(1, 0, Record_Callback, reinterpret_cast<DWORD_PTR>(&record), TIME_PERIODIC);
    ASSERT_NE(id, 0u);
    ASSERT_TRUE(Wait_Generously([&] { return record.calls >= 2; }));
    ASSERT_EQ(timeKillEvent(id), TIMERR_NOERROR);
    const int at_kill = record.calls;
    Let_Timers_Run();
    EXPECT_EQ(record.calls, at_kill);
    EXPECT_EQ(Multimedia_Timer_Delay(id), 0u);
    for (const UINT refused : {id, 0u, 0xFFFFFFFFu})
        EXPECT_EQ(timeKillEvent(refused), MMSYSERR_INVALPARAM) << refused;
}

TEST(Multimedia_Timer, ACallbackMayKillItsOwnEvent)
{
    Callback_Record record;
    const UINT id = timeSetEvent(1, 0, Kill_Own_Event, reinterpret_cast<DWORD_PTR>(&record), TIME_PERIODIC);
    ASSERT_NE(id, 0u);
    ASSERT_TRUE(Wait_Generously([&] { return record.calls >= 1; }));
    Let_Timers_Run();
    EXPECT_EQ(record.own_kill, TIMERR_NOERROR);
    EXPECT_EQ(record.calls, 1);
    EXPECT_EQ(timeKillEvent(id), MMSYSERR_INVALPARAM);
}

TEST(Multimedia_Timer, EventsRunningTogetherHaveIdentifiersAndDelaysOfTheirOwn)
{
    Callback_Record first, second;
    const UINT one = timeSetEvent(3, 0, Record_Callback, reinterpret_cast<DWORD_PTR>(&first), TIME_PERIODIC);
    const UINT two = timeSetEvent(1000000, 0, Record_Callback, reinterpret_cast<DWORD_PTR>(&second), TIME_PERIODIC);
    ASSERT_NE(one, 0u);
    ASSERT_NE(two, 0u);
    EXPECT_NE(one, two);
    EXPECT_EQ(Multimedia_Timer_Delay(one), 3u);
    EXPECT_EQ(Multimedia_Timer_Delay(two), 1000000u);
    EXPECT_EQ(timeKillEvent(two), TIMERR_NOERROR);
    EXPECT_EQ(Multimedia_Timer_Delay(one), 3u) << "killing one leaves the other";
    EXPECT_EQ(timeKillEvent(one), TIMERR_NOERROR);
}
