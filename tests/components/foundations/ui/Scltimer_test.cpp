#include "components/foundations/Scltimer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "platform/classlib/Forms.h"

namespace {

// Runs the UI thread's events and queued synchronised calls until the
// condition holds; false when it does not within a generous limit.
bool Pump_Until(const std::function<bool()>& condition)
{
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > limit)
            return false;
        QCoreApplication::processEvents();
        CheckSynchronize();
        std::this_thread::yield();
    }
    return true;
}

TEST(Scltimer, IntervalsStayWithinTheSystemsPeriods)
{
    TSCLHiTimer timer(nullptr);
    EXPECT_EQ(timer.Interval(), 1000u);
    EXPECT_FALSE(timer.Enabled());
    EXPECT_TRUE(timer.UseThread());
    EXPECT_TRUE(timer.Synchronize());
    timer.SetInterval(0);
    EXPECT_EQ(timer.Interval(), 1u);
    timer.SetInterval(5000000);
    EXPECT_EQ(timer.Interval(), 1000000u);
    EXPECT_EQ(timer.GetInteger(0), 1000000u);
    EXPECT_EQ(timer.GetInteger(1), 1u);
    EXPECT_EQ(timer.GetInteger(2), 0u);
    EXPECT_EQ(TSCLHiTimer(nullptr, 0).Interval(), 1u);
}

TEST(Scltimer, SynchronisedTicksRunOnTheUiThreadAndStopWithTheTimer)
{
    const auto ui_thread = std::this_thread::get_id();
    int ticks = 0;
    auto* timer = new TSCLHiTimer(nullptr, 1);
    timer->SetOnTimer([&](TObject* sender) {
        EXPECT_EQ(sender, timer);
        EXPECT_EQ(std::this_thread::get_id(), ui_thread);
        ++ticks;
    });
    EXPECT_EQ(timer->Thread(), nullptr); // not enabled yet
    timer->SetEnabled(true);
    ASSERT_NE(timer->Thread(), nullptr);
    ASSERT_TRUE(Pump_Until([&] { return ticks >= 3; }));
    delete timer; // waits for the thread; a tick it had queued is not run
    const int at_end = ticks;
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::processEvents();
        CheckSynchronize();
    }
    EXPECT_EQ(ticks, at_end);
}

TEST(Scltimer, UnsynchronisedTicksRunOnTheTimerThread)
{
    const auto ui_thread = std::this_thread::get_id();
    std::atomic<int> ticks = 0;
    std::atomic<bool> elsewhere = true;
    TSCLHiTimer timer(nullptr, 1);
    timer.SetSynchronize(false);
    timer.SetOnTimer([&](TObject*) {
        if (std::this_thread::get_id() == ui_thread)
            elsewhere = false;
        ++ticks;
    });
    timer.SetEnabled(true);
    ASSERT_TRUE(Pump_Until([&] { return ticks >= 3; }));
    timer.SetEnabled(false); // the thread has ended when this returns
    EXPECT_EQ(timer.Thread(), nullptr);
    const int at_end = ticks;
    std::this_thread::yield();
    EXPECT_EQ(ticks, at_end);
    EXPECT_TRUE(elsewhere);
}

TEST(Scltimer, WindowTimerTicksAndSurvivesAFailingHandler)
{
    int ticks = 0;
    int errors = 0;
    const TExceptionEvent previous = Application->OnException;
    Application->OnException = [&](TObject*, Exception* error) {
        EXPECT_EQ(error->Message, "tick failed");
        ++errors;
    };
    {
        TSCLHiTimer timer(nullptr, 1);
        timer.SetUseThread(false);
        timer.SetOnTimer([&](TObject*) {
            ++ticks;
            throw Exception("tick failed");
        });
        timer.SetEnabled(true);
        EXPECT_EQ(timer.Thread(), nullptr);
        EXPECT_TRUE(Pump_Until([&] { return ticks >= 3; }));
    }
    Application->OnException = previous;
    EXPECT_EQ(errors, ticks);
}

} // namespace
