#include "platform/winapi/Kernel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <string>
#include <thread>

namespace {

// The scheduler's state of one of this process's threads: 'S' while it
// sleeps in a wait, 'R' while it runs.
char Thread_State(DWORD thread_id)
{
    std::ifstream stat("/proc/self/task/" + std::to_string(thread_id) + "/stat");
    std::string line;
    std::getline(stat, line);
    const auto name_end = line.rfind(") ");
    return name_end == std::string::npos || name_end + 2 >= line.size() ? '?' : line[name_end + 2];
}

HANDLE Make_Event(bool manual, bool initial = false)
{
    HANDLE event = CreateEventA(nullptr, manual ? TRUE : FALSE, initial ? TRUE : FALSE, nullptr);
    EXPECT_NE(event, nullptr);
    return event;
}

} // namespace

TEST(Kernel_Events, LowestSignalledIndexWinsAndManualEventsStaySet)
{
    HANDLE events[3] = {Make_Event(true), Make_Event(true), Make_Event(true)};
    ASSERT_TRUE(SetEvent(events[2]));
    ASSERT_TRUE(SetEvent(events[1]));
    EXPECT_EQ(WaitForMultipleObjects(3, events, FALSE, 0), WAIT_OBJECT_0 + 1);
    EXPECT_EQ(WaitForMultipleObjects(3, events, FALSE, 0), WAIT_OBJECT_0 + 1);
    ASSERT_TRUE(ResetEvent(events[1]));
    EXPECT_EQ(WaitForMultipleObjects(3, events, FALSE, 0), WAIT_OBJECT_0 + 2);
    ASSERT_TRUE(ResetEvent(events[2]));
    EXPECT_EQ(WaitForMultipleObjects(3, events, FALSE, 0), WAIT_TIMEOUT);
    for (HANDLE event : events) {
        EXPECT_TRUE(CloseHandle(event));
    }
}

TEST(Kernel_Events, AutoResetSignalIsConsumedByTheWaitThatReportsIt)
{
    HANDLE manual = Make_Event(true);
    HANDLE automatic = Make_Event(false, true);
    HANDLE both[2] = {manual, automatic};
    ASSERT_TRUE(SetEvent(automatic)); // setting a set event keeps one signal
    EXPECT_EQ(WaitForMultipleObjects(2, both, FALSE, 0), WAIT_OBJECT_0 + 1);
    EXPECT_EQ(WaitForMultipleObjects(2, both, FALSE, 0), WAIT_TIMEOUT);

    // A lower signalled index wins and leaves the auto-reset signal in place.
    ASSERT_TRUE(SetEvent(automatic));
    ASSERT_TRUE(SetEvent(manual));
    EXPECT_EQ(WaitForMultipleObjects(2, both, FALSE, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_TIMEOUT);
    CloseHandle(manual);
    CloseHandle(automatic);
}

TEST(Kernel_Events, AWaitBlocksUntilAnotherThreadSetsAndTakesTheSignal)
{
    HANDLE event = Make_Event(false);
    const DWORD waiter = GetCurrentThreadId();
    std::atomic<bool> set {false};
    std::atomic<bool> seen_blocked {false};
    std::thread setter([&] {
        // Set only once the waiter sleeps in its wait (a wait that never
        // blocks is set after a while all the same, and fails below).
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!(seen_blocked = Thread_State(waiter) == 'S') && std::chrono::steady_clock::now() < limit) {
            std::this_thread::yield();
        }
        set = true;
        SetEvent(event);
    });
    EXPECT_EQ(WaitForSingleObject(event, INFINITE), WAIT_OBJECT_0);
    EXPECT_TRUE(set) << "the wait ended before the event was set";
    setter.join();
    EXPECT_TRUE(seen_blocked) << "the wait never blocked";
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT) << "the wait left the auto-reset signal";

    // Nobody sets it: the wait lasts its time.
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(WaitForSingleObject(event, 30), WAIT_TIMEOUT);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(30));
    CloseHandle(event);
}

TEST(Kernel_Handles, BadHandlesAndArgumentsFailWithTheirError)
{
    HANDLE event = Make_Event(true);
    ASSERT_TRUE(CloseHandle(event));
    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(CloseHandle(event));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(SetEvent(event));
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(WaitForSingleObject(INVALID_HANDLE_VALUE, 0), WAIT_FAILED);
    EXPECT_FALSE(CloseHandle(nullptr));

    HANDLE live = Make_Event(true, true);
    EXPECT_EQ(WaitForMultipleObjects(1, &live, TRUE, 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(WaitForMultipleObjects(0, &live, FALSE, 0), WAIT_FAILED);
    EXPECT_EQ(CreateEventA(nullptr, TRUE, FALSE, "named"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_NOT_SUPPORTED);
    CloseHandle(live);
}

TEST(Kernel_Handles, LastErrorBelongsToEachThread)
{
    SetLastError(ERROR_ACCESS_DENIED);
    DWORD other = 1;
    std::thread([&other] { other = GetLastError(); }).join();
    EXPECT_EQ(other, ERROR_SUCCESS);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
}

TEST(Kernel_Clocks, CountersAdvanceAtTheirFrequency)
{
    LARGE_INTEGER frequency {}, before {}, after {};
    ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
    EXPECT_EQ(frequency.QuadPart, 1'000'000'000);
    ASSERT_TRUE(QueryPerformanceCounter(&before));
    DWORD tick = GetTickCount();
    Sleep(2);
    ASSERT_TRUE(QueryPerformanceCounter(&after));
    EXPECT_GE(after.QuadPart - before.QuadPart, 2'000'000);
    EXPECT_GE(GetTickCount() - tick, 1u);
    EXPECT_FALSE(QueryPerformanceCounter(nullptr));

    DWORD main_id = GetCurrentThreadId();
    DWORD other_id = main_id;
    std::thread([&other_id] { other_id = GetCurrentThreadId(); }).join();
    EXPECT_NE(other_id, main_id);
}
