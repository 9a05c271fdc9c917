#include "components/foundations/Scltimer.h"

#include <sys/timerfd.h>

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <chrono>
#include <thread>

#include "platform/classlib/Forms.h"

namespace {

// The kernel timer's period in milliseconds.
long Period_Ms(int fd)
{
    itimerspec setting{};
    EXPECT_EQ(timerfd_gettime(fd, &setting), 0);
    return setting.it_interval.tv_sec * 1000 + setting.it_interval.tv_nsec / 1000000;
}

} // namespace

TEST(Scltimer_HiRes, WithoutAThreadTheTimerIsAKernelTimerOfTheInterval)
{
    int ticks = 0;
    TSCLHiTimer timer(nullptr, 3);
    timer.SetUseThread(false);
    EXPECT_EQ(timer.TimerHandle(), -1) << "no handler yet";
    timer.SetOnTimer([&](TObject*) { ++ticks; });
    timer.SetEnabled(true);
    ASSERT_GE(timer.TimerHandle(), 0);
    EXPECT_EQ(Period_Ms(timer.TimerHandle()), 3);

    timer.SetInterval(7);
    ASSERT_GE(timer.TimerHandle(), 0);
    EXPECT_EQ(Period_Ms(timer.TimerHandle()), 7) << "a change restarts it with the new period";

    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (ticks < 3 && std::chrono::steady_clock::now() < limit) {
        QCoreApplication::processEvents();
        std::this_thread::yield();
    }
    EXPECT_GE(ticks, 3) << "its expiries tick the handler on the UI thread";

    timer.SetUseThread(true);
    EXPECT_EQ(timer.TimerHandle(), -1);
    EXPECT_NE(timer.Thread(), nullptr);
    timer.SetEnabled(false);
}
