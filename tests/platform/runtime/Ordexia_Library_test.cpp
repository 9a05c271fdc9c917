#include "platform/runtime/Ordexia_Library.h"

#include "platform/winapi/Kernel.h"
#include "tests/support/Temp_Settings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <thread>

namespace fs = std::filesystem;

namespace {

constexpr DWORD Generous_Ms = 2000;
constexpr LONGLONG Ticks_Per_Ms = 10'000;

LARGE_INTEGER Due(LONGLONG ticks)
{
    LARGE_INTEGER due {};
    due.QuadPart = ticks;
    return due;
}

LARGE_INTEGER In_Ms(LONGLONG milliseconds)
{
    return Due(-milliseconds * Ticks_Per_Ms);
}

// Now plus a delay, as an absolute due time (100 ns units since 1601).
LARGE_INTEGER Absolute_In_Ms(LONGLONG milliseconds)
{
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    const LONGLONG unix_epoch = 116'444'736'000'000'000;
    return Due(unix_epoch + now.tv_sec * 10'000'000LL + now.tv_nsec / 100 + milliseconds * Ticks_Per_Ms);
}

HANDLE Make_Event(bool initial)
{
    HANDLE event = CreateEventA(nullptr, TRUE, initial ? TRUE : FALSE, nullptr);
    EXPECT_NE(event, nullptr);
    return event;
}

class Waitable_Timer : public testing::Test {
protected:
    void SetUp() override
    {
        std::string reason;
        ASSERT_TRUE(Load_Ordexia_Library(reason)) << reason;
        timer.emplace();
        ASSERT_NE(timer->Get_Handle(), nullptr);
    }

    // Lets a timer due within a millisecond expire: a sleep's own timer
    // expires after it.
    static void Let_Expire() { Sleep(50); }

    std::optional<TWaitable_Timer> timer; // made once the library is loaded
};

} // namespace

TEST(Ordexia_Library, MissingOrBrokenLibraryIsReportedWithItsPath)
{
    const fs::path empty = Make_Temp_Folder("no-library");
    const fs::path broken = Make_Temp_Folder("broken-library");
    std::ofstream(broken / Ordexia_Library_Name) << "not a shared library";
    for (const fs::path& folder : {empty, broken}) {
        std::string reason;
        EXPECT_FALSE(Load_Ordexia_Library(folder, reason));
        EXPECT_NE(reason.find((folder / Ordexia_Library_Name).string()), std::string::npos) << reason;
    }
    fs::remove_all(empty);
    fs::remove_all(broken);
}

TEST(Ordexia_Library, TimersBeforeASuccessfulLoadAreInert)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const fs::path empty = Make_Temp_Folder("no-library");
    // A fresh process, in which no library was ever loaded.
    EXPECT_EXIT(
        {
            std::string reason;
            bool loaded = Load_Ordexia_Library(empty, reason);
            TWaitable_Timer timer;
            LARGE_INTEGER due = In_Ms(1);
            SetLastError(ERROR_SUCCESS);
            bool inert = timer.Get_Handle() == nullptr && !timer.Init_Timer(&due, 10) && !timer.Stop_Timer()
                         && GetLastError() == ERROR_INVALID_HANDLE;
            std::fputs(reason.c_str(), stderr);
            std::_Exit(!loaded && inert ? 0 : 1);
        },
        testing::ExitedWithCode(0), Ordexia_Library_Name);
    fs::remove_all(empty);
}

TEST_F(Waitable_Timer, SignalsAtTheDueTimeOnceWhenNoPeriodIsGiven)
{
    const LARGE_INTEGER due_times[] = {In_Ms(20), Due(0), Due(1), Absolute_In_Ms(20)};
    HANDLE handle = timer->Get_Handle();
    for (const LARGE_INTEGER& due : due_times) {
        SCOPED_TRACE(due.QuadPart);
        ASSERT_TRUE(timer->Init_Timer(&due, 0));
        EXPECT_EQ(WaitForSingleObject(handle, Generous_Ms), WAIT_OBJECT_0);
        EXPECT_EQ(WaitForSingleObject(handle, 0), WAIT_TIMEOUT); // the expiry was consumed
    }
}

TEST_F(Waitable_Timer, SignalsEveryPeriodUntilStopped)
{
    HANDLE handle = timer->Get_Handle();
    LARGE_INTEGER due = In_Ms(20);
    ASSERT_TRUE(timer->Init_Timer(&due, 20));
    for (int tick = 0; tick < 3; ++tick) {
        EXPECT_EQ(WaitForSingleObject(handle, Generous_Ms), WAIT_OBJECT_0) << "tick " << tick;
    }
    ASSERT_TRUE(timer->Stop_Timer());
    EXPECT_EQ(WaitForSingleObject(handle, 100), WAIT_TIMEOUT);

    // The period is in milliseconds, the due time in 100 ns units.
    due = In_Ms(1);
    ASSERT_TRUE(timer->Init_Timer(&due, 60'000));
    EXPECT_EQ(WaitForSingleObject(handle, Generous_Ms), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(handle, 100), WAIT_TIMEOUT);
}

TEST_F(Waitable_Timer, WaitedWithEventsTheLowestSignalledIndexWins)
{
    HANDLE stop = Make_Event(false);
    HANDLE poll = Make_Event(true);
    HANDLE handles[3] = {stop, timer->Get_Handle(), poll};
    LARGE_INTEGER due = In_Ms(1);

    ASSERT_TRUE(timer->Init_Timer(&due, 60'000));
    Let_Expire();
    EXPECT_EQ(WaitForMultipleObjects(3, handles, FALSE, 0), WAIT_OBJECT_0 + 1);
    EXPECT_EQ(WaitForMultipleObjects(3, handles, FALSE, 0), WAIT_OBJECT_0 + 2);

    // An expiry stays pending while a lower index wins.
    ASSERT_TRUE(timer->Init_Timer(&due, 60'000));
    Let_Expire();
    ASSERT_TRUE(SetEvent(stop));
    EXPECT_EQ(WaitForMultipleObjects(3, handles, FALSE, 0), WAIT_OBJECT_0);
    ASSERT_TRUE(ResetEvent(stop));
    EXPECT_EQ(WaitForMultipleObjects(3, handles, FALSE, 0), WAIT_OBJECT_0 + 1);

    // Stopping drops a pending expiry.
    ASSERT_TRUE(timer->Init_Timer(&due, 60'000));
    Let_Expire();
    ASSERT_TRUE(timer->Stop_Timer());
    EXPECT_EQ(WaitForMultipleObjects(3, handles, FALSE, 0), WAIT_OBJECT_0 + 2);
    CloseHandle(stop);
    CloseHandle(poll);
}

TEST_F(Waitable_Timer, WakesAThreadWaitingWithAnEvent)
{
    HANDLE stop = Make_Event(false);
    HANDLE handles[2] = {stop, timer->Get_Handle()};
    DWORD result = WAIT_FAILED;
    std::thread waiter([&] { result = WaitForMultipleObjects(2, handles, FALSE, INFINITE); });
    LARGE_INTEGER due = In_Ms(20);
    const bool started = timer->Init_Timer(&due, 0);
    if (!started) {
        SetEvent(stop);
    }
    waiter.join();
    EXPECT_TRUE(started);
    EXPECT_EQ(result, WAIT_OBJECT_0 + 1);
    CloseHandle(stop);
}

TEST_F(Waitable_Timer, BadArgumentsAndClosedHandlesFailCleanly)
{
    LARGE_INTEGER due = In_Ms(1);
    EXPECT_FALSE(timer->Init_Timer(nullptr, 10));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(timer->Init_Timer(&due, -1));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(SetEvent(timer->Get_Handle())); // a timer is no event

    // Its user may close the handle before the timer goes.
    TWaitable_Timer closed_early;
    HANDLE handle = closed_early.Get_Handle();
    ASSERT_TRUE(CloseHandle(handle));
    EXPECT_EQ(WaitForSingleObject(handle, 0), WAIT_FAILED);
    EXPECT_TRUE(closed_early.Stop_Timer());
}
