#include "components/foundations/Scltimer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <chrono>
#include <thread>

#include "platform/classlib/Forms.h"

TEST(Scltimer_HiRes, WithoutAThreadTheTimerIsAMultimediaTimerOfTheInterval)
{
    int ticks = 0;
    TSCLHiTimer timer(nullptr, 3);
    timer.SetUseThread(false);
    EXPECT_EQ(timer.TimerID(), 0u) << "no handler yet";
    timer.SetOnTimer([&](TObject*) { ++ticks; });
    timer.SetEnabled(true);
    const UINT first = timer.TimerID();
    ASSERT_NE(first, 0u);
    EXPECT_EQ(Multimedia_Timer_Delay(first), 3u);

    timer.SetInterval(7);
    ASSERT_NE(timer.TimerID(), 0u);
    EXPECT_EQ(Multimedia_Timer_Delay(first), 0u) << "a change kills the running timer";
    EXPECT_EQ(Multimedia_Timer_Delay(timer.TimerID()), 7u) << "and starts one of the new period";

    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (ticks < 3 && std::chrono::steady_clock::now() < limit) {
        QCoreApplication::processEvents();
        std::this_thread::yield();
    }
    EXPECT_GE(ticks, 3) << "its expiries tick the handler on the UI thread";

    const UINT last = timer.TimerID();
    timer.SetUseThread(true);
    EXPECT_EQ(timer.TimerID(), 0u);
    EXPECT_EQ(Multimedia_Timer_Delay(last), 0u);
    EXPECT_NE(timer.Thread(), nullptr);
    timer.SetEnabled(false);
}
