// The high-resolution timer's thread priority: set on its thread, and a
// raise the user may not make refused as the class library refuses it.

#include "components/foundations/Scltimer.h"

#include <gtest/gtest.h>

#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>

namespace {

// Takes the right to raise priorities from the calling thread (and the
// threads it starts) for the object's lifetime: no CAP_SYS_NICE in its
// effective set and a nice limit that allows no raise.
class Without_Nice_Right {
public:
    Without_Nice_Right()
    {
        getrlimit(RLIMIT_NICE, &old_limit);
        const rlimit none{0, old_limit.rlim_max};
        setrlimit(RLIMIT_NICE, &none);
        Capabilities(false);
    }
    ~Without_Nice_Right()
    {
        Capabilities(true);
        setrlimit(RLIMIT_NICE, &old_limit);
    }
    Without_Nice_Right(const Without_Nice_Right&) = delete;
    Without_Nice_Right& operator=(const Without_Nice_Right&) = delete;

private:
    static void Capabilities(bool with_nice)
    {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[2]{};
        if (syscall(SYS_capget, &header, data) != 0)
            return;
        const unsigned bit = 1u << CAP_SYS_NICE;
        if (with_nice)
            data[0].effective |= data[0].permitted & bit;
        else
            data[0].effective &= ~bit;
        syscall(SYS_capset, &header, data);
    }

    rlimit old_limit{};
};

int Nice_Of(DWORD thread_id)
{
    errno = 0;
    return getpriority(PRIO_PROCESS, static_cast<id_t>(thread_id));
}

// Priorities are steps from the nice value the test program runs at.
int Nice_Step(int step)
{
    return std::clamp(getpriority(PRIO_PROCESS, static_cast<id_t>(getpid())) + step, -20, 19);
}

TEST(Scltimer_Priority, TheTimerThreadRunsAtItsPriority)
{
    TSCLHiTimer timer(nullptr);
    timer.SetOnTimer([](TObject*) {});
    timer.SetThreadPriority(tpLowest);
    EXPECT_EQ(timer.Thread(), nullptr); // not enabled: nothing runs
    timer.SetEnabled(true);
    ASSERT_NE(timer.Thread(), nullptr);
    EXPECT_EQ(timer.Thread()->Priority(), tpLowest);
    EXPECT_EQ(Nice_Of(timer.Thread()->ThreadID()), Nice_Step(10));

    // A change restarts the thread at the new priority.
    timer.SetThreadPriority(tpLower);
    ASSERT_NE(timer.Thread(), nullptr);
    EXPECT_EQ(Nice_Of(timer.Thread()->ThreadID()), Nice_Step(5));
}

TEST(Scltimer_Priority, ARefusedRaiseLeavesTheTimerWithoutAThread)
{
    TSCLHiTimer timer(nullptr);
    timer.SetOnTimer([](TObject*) {});
    timer.SetEnabled(true);
    ASSERT_NE(timer.Thread(), nullptr);
    {
        const Without_Nice_Right limited;
        EXPECT_THROW(timer.SetThreadPriority(tpHighest), EThread);
        EXPECT_EQ(timer.Thread(), nullptr);
        EXPECT_EQ(timer.ThreadPriority(), tpHighest);
        // Lowering needs no right.
        timer.SetThreadPriority(tpLower);
        ASSERT_NE(timer.Thread(), nullptr);
        EXPECT_EQ(Nice_Of(timer.Thread()->ThreadID()), Nice_Step(5));
    }
}

TEST(Scltimer_Priority, WithoutAThreadThePriorityIsOnlyStored)
{
    TSCLHiTimer timer(nullptr);
    timer.SetUseThread(false);
    timer.SetOnTimer([](TObject*) {});
    timer.SetEnabled(true);
    const Without_Nice_Right limited;
    timer.SetThreadPriority(tpTimeCritical);
    EXPECT_EQ(timer.ThreadPriority(), tpTimeCritical);
    EXPECT_EQ(timer.Thread(), nullptr);
}

} // namespace
